#pragma once
// The 32 x 32 pictures of the "new list", "save" and "exit" buttons, drawn
// in code on a magenta background (the transparent colour: the bottom-left
// pixel); at another DPI drawn again at that scale (48 x 48 at 144 DPI).

#include "framework/graphics/Bitmap.h"

void DrawNewListGlyph(TBitmap& glyph, int dpi = 96);
void DrawSaveGlyph(TBitmap& glyph, int dpi = 96);
void DrawExitGlyph(TBitmap& glyph, int dpi = 96);
