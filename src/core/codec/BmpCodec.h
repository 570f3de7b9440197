#pragma once
// Reading and writing Windows bitmap (BMP) data in memory.
//
// The reader takes a whole .bmp file (a "BM" file header first) or a bare
// device-independent bitmap (the info header first, as a bitmap resource
// stores it). Info headers: core (12 bytes), info (40), the info variants
// with masks (52, 56), V4 (108) and V5 (124). Depths 1, 4 and 8 with a
// palette, 16 (5-5-5 or bit fields), 24, 32 (plain or bit fields), RLE8 and
// RLE4; bottom-up and top-down. Every header field is checked against the
// others and against the buffer: anything inconsistent raises
// EInvalidGraphic::InvalidBitmap, and nothing outside the buffer is read.
//
// The writer produces the one format the program saves: 24 bits per pixel,
// uncompressed, bottom-up, file header + 40-byte info header.
//
// Portable: no Windows header.

#include "core/codec/PixelBuffer.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

enum class BmpCompression : uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

// Where each colour sits in a 16- or 32-bit pixel. Each mask is one run of
// set bits, or zero for a colour that is always 0.
struct BmpChannelMasks {
    uint32_t Red = 0;
    uint32_t Green = 0;
    uint32_t Blue = 0;
};

// A checked description of BMP data: every offset and size in it lies inside
// the buffer it was read from.
struct BmpInfo {
    int Width = 0;  // >= 1
    int Height = 0; // >= 1; the stored sign is in TopDown
    bool TopDown = false;
    int BitCount = 0; // 1, 4, 8, 16, 24 or 32
    BmpCompression Compression = BmpCompression::Rgb;
    uint32_t InfoHeaderSize = 0; // 12, 40, 52, 56, 108 or 124
    bool HasFileHeader = false;  // starts with "BM" + 14-byte file header

    // Palette (depths 1, 4, 8): entries present in the data, and their place.
    // Entries are B, G, R (+ 1 unused byte unless the header is the core one).
    uint32_t PaletteEntries = 0;
    size_t PaletteOffset = 0;
    int PaletteEntrySize = 4;

    BmpChannelMasks Masks; // depths 16 and 32

    size_t PixelOffset = 0; // first byte of the pixel data
    size_t PixelBytes = 0;  // bytes from PixelOffset to the end of the buffer
    uint64_t RowStride = 0; // bytes per stored row, uncompressed data
};

// Reads and checks the headers. Throws EInvalidGraphic::InvalidBitmap.
BmpInfo ReadBmpInfo(const uint8_t* data, size_t size);

// Decodes into 24-bit B, G, R rows obtained from `allocate` (top row first,
// whatever the stored order). Pixels that RLE data skips are black; palette
// indexes past the stored palette are black. Throws
// EInvalidGraphic::InvalidBitmap for inconsistent data and
// EInvalidGraphic::TooLarge (before allocating) when the 24-bit picture would
// exceed kMaxDecodedBytes.
void DecodeBmp(const uint8_t* data, size_t size, const AllocatePixels& allocate);

// Receives the written bytes in order.
using ByteSink = std::function<void(const void* bytes, size_t count)>;

// Writes a 24-bit BMP file of `width` x `height` (both >= 1) from `source`
// (rows top-down, B, G, R) to `sink`: the 54 header bytes, then one padded
// row at a time, bottom row first, so only one row is copied at any time.
// Throws EInvalidGraphic::InvalidBitmap for a size below 1 and
// EInvalidGraphic::TooLarge when the file would pass 4 GiB.
void WriteBmp24(int width, int height, const PixelRows& source, const ByteSink& sink);

// WriteBmp24 for pixels that already lie as the file holds them: `dibBits`
// is a bottom-up 24-bit DIB of that size (rows padded to 4 bytes, and the
// padding, written as it is, should be zeros). The header goes to the sink,
// then all the pixels in one call.
void WriteBmp24Dib(int width, int height, const uint8_t* dibBits, const ByteSink& sink);

// WriteBmp24 into a new buffer.
std::vector<uint8_t> EncodeBmp24(int width, int height, const PixelRows& source);

// Sizes of the format's fixed headers.
inline constexpr size_t kBmpFileHeaderSize = 14;
inline constexpr size_t kBmpInfoHeaderSize = 40;
