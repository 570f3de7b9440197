#pragma once
// Resizing 24-bit pixel rows by area averaging: every target pixel is the
// mean of the source area it covers (partly covered source pixels count by
// their covered share). A reduced picture keeps its fine detail as tone
// instead of dropping whole rows and columns. Portable: no Windows header.

#include <cstddef>
#include <cstdint>

// A view of 24-bit pixel rows (3 bytes per pixel): the top row at Pixels,
// each next row Stride bytes on (negative when the rows lie bottom-up).
struct PixelRowsView {
    uint8_t* Pixels;
    int Width;
    int Height;
    ptrdiff_t Stride;
};

// Fills target with source resized to target's size. Both sizes must be
// at least 1 x 1.
void AreaResample(const PixelRowsView& source, const PixelRowsView& target);
