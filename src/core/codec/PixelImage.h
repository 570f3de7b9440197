#pragma once
// A 24-bit picture that owns its pixels: rows top-down, B, G, R bytes, each
// row padded to a multiple of 4 bytes like a DIB. For tests and tools; the
// program's bitmaps hand out their own DIB sections instead.

#include "core/codec/PixelBuffer.h"

#include <cstdint>
#include <vector>

class PixelImage {
public:
    PixelImage() = default;
    // A black picture; throws EInvalidGraphic::TooLarge past kMaxDecodedBytes.
    PixelImage(int width, int height);

    int Width() const { return ImageWidth; }
    int Height() const { return ImageHeight; }
    ptrdiff_t Stride() const { return RowStride; }

    uint8_t* Row(int y) { return Bytes.data() + static_cast<ptrdiff_t>(y) * RowStride; }
    const uint8_t* Row(int y) const { return Bytes.data() + static_cast<ptrdiff_t>(y) * RowStride; }
    PixelRows Rows() { return {Bytes.data(), RowStride}; }

    // A decoder destination that makes this picture the decoded size and
    // returns its rows. The picture must outlive the decode.
    AllocatePixels Allocator();

private:
    int ImageWidth = 0;
    int ImageHeight = 0;
    ptrdiff_t RowStride = 0;
    std::vector<uint8_t> Bytes;
};
