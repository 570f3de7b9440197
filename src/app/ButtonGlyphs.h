#pragma once
// The 32 x 32 pictures of the "new list", "save" and "exit" buttons, drawn
// in code on a magenta background (the transparent colour: the bottom-left
// pixel).

#include "framework/graphics/Bitmap.h"

void DrawNewListGlyph(TBitmap& glyph);
void DrawSaveGlyph(TBitmap& glyph);
void DrawExitGlyph(TBitmap& glyph);
