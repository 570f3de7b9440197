#pragma once
// Stateless drawing routines the styled controls paint with.

#include "controls/GradientMath.h"
#include "framework/Control.h"
#include "framework/graphics/Bitmap.h"

enum class TGradientDirection : uint8_t { FromLeft, FromTop, FromRight, FromBottom };

// Resizes `bitmap` to width x height (24 bits per pixel) and paints a banded
// gradient of `bands` colours from `startColor` to `endColor`. Values 0 and 2
// of the direction give vertical bands, others horizontal; values 2 and above
// reverse the colours. Dithering scatters pixels of each band's predecessor
// into its first pixels, within a 16-pixel strip that is then tiled.
void CreateGradientBitmap(int width, int height, TColor startColor, TColor endColor, uint8_t bands,
                          TGradientDirection direction, bool dithered, TBitmap& bitmap);

// A line in the canvas's pen from (x1, y1) to (x2, y2), end point excluded.
void DrawLine(TCanvas& canvas, int x1, int y1, int x2, int y2);

// Deflates `rect` by the border width, then by the line width (one pixel at
// 96 DPI) on every side with a bound line, when the lines are shown.
void ShrinkByBorder(int borderWidth, bool showBoundLines, TBoundLines lines, RECT& rect, int lineWidth = 1);

// Draws the chosen edges of `rect` as solid lines in `color`, `lineWidth`
// pixels thick (one at 96 DPI).
void DrawBoundLines(TCanvas& canvas, TBoundLines lines, TColor color, const RECT& rect, int lineWidth = 1);

// Turns every pixel into a light grey: (r + g + b) / 3 + 100, at most 255.
void MakeGrayGlyph(TBitmap& bitmap);

// Draws (or with DT_CALCRECT measures into `rect`) a caption; a disabled
// caption is drawn embossed: highlight one pixel down-right under shadow.
void DrawCaptionText(TControl& control, TCanvas& canvas, std::string text, TFont& font, bool enabled,
                     bool showAccelChar, RECT& rect, UINT flags);

// A one-pixel frame: top and left in the first colour, bottom and right in
// the second (swapped when `swap`).
void DrawBevelFrame(TCanvas& canvas, const RECT& rect, TColor topLeft, TColor bottomRight, bool swap);

// Replaces every black pixel of the bitmap by `color`.
void RecolorGlyph(TBitmap& bitmap, TColor color);

// The source of the dither pattern's randomness: an integer in [0, bound).
int DitherRandom(int bound);
