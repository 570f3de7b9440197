#pragma once
// Where decoders put their pixels. The decoders never own the destination:
// they ask the caller for it once they know the picture's size, so a Windows
// bitmap can hand out its DIB section and a test can hand out a plain vector.
//
// Pixels are 24-bit, three bytes each in B, G, R order (the Windows DIB
// layout). Portable: no Windows header.

#include <cstddef>
#include <cstdint>
#include <functional>

// Rows of a 24-bit picture. Row y (0 = top) starts at Row0 + y * Stride;
// Stride is negative for a bottom-up DIB, whose top row is stored last.
struct PixelRows {
    uint8_t* Row0 = nullptr;
    ptrdiff_t Stride = 0;

    uint8_t* Row(int y) const { return Row0 + static_cast<ptrdiff_t>(y) * Stride; }
};

// Called once by a decoder with the picture's width and height (both >= 1),
// before any pixel is written; returns rows of at least width * 3 bytes each.
// It may throw: the decoder then stops and releases what it holds.
using AllocatePixels = std::function<PixelRows(int width, int height)>;

// The most memory one decode may need: the 24-bit picture, plus for a JPEG
// the decoder's own whole-image buffers. Larger pictures are refused with
// EInvalidGraphic::TooLarge before anything is allocated.
inline constexpr uint64_t kMaxDecodedBytes = uint64_t{1} << 30;

// Bytes of one 24-bit DIB row: width * 3 rounded up to a multiple of 4.
constexpr uint64_t Dib24Stride(uint64_t width)
{
    return (width * 3 + 3) & ~uint64_t{3};
}

// Bytes of a whole 24-bit DIB of that size.
constexpr uint64_t Dib24Bytes(uint64_t width, uint64_t height)
{
    return Dib24Stride(width) * height;
}

// Throws EInvalidGraphic::TooLarge when `bytes` exceeds `limit`; width and
// height go into the message.
void CheckDecodedSize(uint64_t bytes, uint64_t limit, int64_t width, int64_t height);

// Bytes of a DIB of that size at `bitsPerPixel`, rows padded to 4 bytes.
constexpr uint64_t DibBytes(uint64_t width, uint64_t height, uint64_t bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4 * height;
}

// The size check every picture passes, whatever its kind, before anything of
// its size is allocated: a picture whose pixels would take more than
// kMaxDecodedBytes at `bitsPerPixel` (the 24-bit DIB by default; more where
// its loader holds several copies) raises EInvalidGraphic::TooLarge,
// "Image is too large (W x H pixels)". Negative sizes count as 0.
void CheckPictureSize(int64_t width, int64_t height, int bitsPerPixel = 24);
