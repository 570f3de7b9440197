#pragma once
// Picture files assembled byte by byte, for the sizes their headers claim:
// small files that claim huge pictures, and small real ones.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace codec_test {

// An enhanced metafile of 108 bytes, a header whose bounds claim
// width x height device pixels and the end record; it draws nothing.
std::vector<uint8_t> EmfClaiming(int32_t width, int32_t height);

// The start of a PNG: signature and an IHDR chunk claiming width x height
// (8-bit RGBA), followed by `tail` bytes of zeros instead of image data.
std::vector<uint8_t> PngClaiming(uint32_t width, uint32_t height, size_t tail = 64);

// A GIF whose logical screen and each of `frames` frames claim
// width x height, every frame without image data.
std::vector<uint8_t> GifClaiming(uint16_t width, uint16_t height, int frames = 1);

// A little-endian TIFF whose one directory claims width x height and
// nothing else.
std::vector<uint8_t> TiffClaiming(uint32_t width, uint32_t height);

// A WebP of only an extended-format header claiming width x height
// (1 to 16 777 216 each), with alpha when `alpha`.
std::vector<uint8_t> WebpClaiming(uint32_t width, uint32_t height, bool alpha);

// A real PNG of one opaque colour (0xRRGGBB), stored uncompressed.
std::vector<uint8_t> PngImage(uint32_t width, uint32_t height, uint32_t rgb);

// An icon picture as .ico files store it: a 40-byte info header with the
// doubled height, 32-bit pixels of one colour (0xRRGGBB, opaque) bottom-up,
// then the all-clear 1-bit mask.
std::vector<uint8_t> DibIconImage(int width, int height, uint32_t rgb);

// An .ico file holding the pictures in order, the directory's one-byte
// sizes taken from the pictures' own headers.
std::vector<uint8_t> IconFile(const std::vector<std::vector<uint8_t>>& images);

} // namespace codec_test
