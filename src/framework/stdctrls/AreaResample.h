#pragma once
// Resizing 24-bit pixel rows by area averaging: every target pixel is the
// mean of the source area it covers (partly covered source pixels count by
// their covered share). A reduced picture keeps its fine detail as tone
// instead of dropping whole rows and columns. Portable: no Windows header.

#include "core/codec/PixelRowsView.h"

// Fills target with source resized to target's size. Both sizes must be
// at least 1 x 1.
void AreaResample(const PixelRowsView& source, const PixelRowsView& target);
