#pragma once
// libjpeg-turbo used the plain way, as its own tools use it: the reference
// that the program's decoder is measured against. No buffered-image mode,
// no early stop, no size limits; only what any libjpeg program would write.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

struct FreeDeleter {
    void operator()(uint8_t* p) const { std::free(p); }
};

// A decoded picture: B, G, R rows padded to 4 bytes, stored bottom row
// first (the order of a BMP file's pixel data), so the whole buffer can be
// written after a BMP header as it is.
struct ReferencePicture {
    int Width = 0;
    int Height = 0;
    size_t Stride = 0;
    std::unique_ptr<uint8_t[], FreeDeleter> Pixels;
};

// Decodes `data` at 1/`denom` of its size with libjpeg's scaled decode
// (scale_num 1), out_color_space JCS_EXT_BGR, reading every scanline and
// finishing the decompressor as djpeg does. Throws std::runtime_error with
// libjpeg's message when it fails.
ReferencePicture ReferenceDecode(const uint8_t* data, size_t size, int denom);

// A baseline JPEG file of the B, G, R rows at `pixels` (top row first, rows
// `stride` bytes apart) at libjpeg's `quality`. Throws std::runtime_error
// with libjpeg's message when it fails.
std::vector<uint8_t> ReferenceEncode(const uint8_t* pixels, int width, int height, size_t stride,
                                     int quality);

// The 54 header bytes of an uncompressed 24-bit bottom-up BMP file.
void MakeBmp24Header(int width, int height, uint8_t (&header)[54]);
