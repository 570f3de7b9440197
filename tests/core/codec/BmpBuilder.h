#pragma once
// Assembling BMP files byte by byte, for the cases no encoder writes: other
// header sizes, bit fields, top-down rows, RLE4, and headers that lie.

#include "core/codec/PixelImage.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace codec_test {

struct BmpFields {
    bool FileHeader = true;
    uint32_t HeaderSize = 40; // 12 writes a core header
    int32_t Width = 0;
    int32_t Height = 0; // negative: top-down
    uint16_t BitCount = 24;
    uint32_t Compression = 0;
    uint32_t ColorsUsed = 0;
    std::vector<uint32_t> Masks;      // after a 40-byte header, inside a larger one
    std::vector<uint8_t> Palette;     // stored entries, as they go into the file
    std::vector<uint8_t> Pixels;      // stored pixel data
    std::optional<uint32_t> OffBits;  // default: right after the palette
    std::optional<uint32_t> FileSize; // default: the real size
};

std::vector<uint8_t> BuildBmp(const BmpFields& fields);

// Uncompressed rows of `bitCount`-bit values value(x, y) (y = 0 is the top
// row), each padded to 4 bytes, stored bottom row first unless `topDown`.
std::vector<uint8_t> PackRows(int width, int height, int bitCount,
                              const std::function<uint32_t(int, int)>& value, bool topDown = false);

// A palette of `count` 4-byte entries, entry i = colour(i) as B, G, R.
std::vector<uint8_t> MakePalette(int count, const std::function<uint32_t(int)>& rgb);

// Picture of width x height with pixel (x, y) = rgb(x, y) (0xRRGGBB).
PixelImage MakePicture(int width, int height, const std::function<uint32_t(int, int)>& rgb);

} // namespace codec_test
