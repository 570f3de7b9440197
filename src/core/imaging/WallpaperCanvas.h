#pragma once
// The wallpaper bitmap being composed: the virtual screen's size, filled
// with the desktop's background colour, its rows stored bottom-up and
// padded exactly as a 24-bit BMP file holds them, so the file is written
// straight from this memory.
//
// Portable: no Windows header.

#include "core/UninitializedAllocator.h"
#include "core/codec/PixelRowsView.h"
#include "core/imaging/ScreenRect.h"

#include <cstdint>
#include <vector>

class TWallpaperCanvas {
public:
    // `background` is 0x00RRGGBB. Throws EInvalidGraphic::TooLarge for a
    // size past the decoder's memory limit.
    TWallpaperCanvas(int width, int height, uint32_t background);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The rows, top one first.
    PixelRowsView Rows();
    // The bottom-up pixel block of a BMP file.
    const uint8_t* Dib() const { return pixels_.data(); }

    // Rotates the picture left by `columns` and up by `rows` (see
    // WallpaperBitmapShift).
    void Rotate(int columns, int rows);

private:
    int width_;
    int height_;
    size_t stride_;
    std::vector<uint8_t, TUninitializedAllocator<uint8_t>> pixels_;
};
