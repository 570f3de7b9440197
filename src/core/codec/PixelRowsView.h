#pragma once
// A view of 24-bit pixel rows with their size: what a decoded picture hands
// to the code that scales, turns or places it. Portable: no Windows header.

#include <cstddef>
#include <cstdint>

// A view of 24-bit pixel rows (3 bytes per pixel): the top row at Pixels,
// each next row Stride bytes on (negative when the rows lie bottom-up).
struct PixelRowsView {
    uint8_t* Pixels;
    int Width;
    int Height;
    ptrdiff_t Stride;

    uint8_t* Row(int y) const { return Pixels + static_cast<ptrdiff_t>(y) * Stride; }
};
