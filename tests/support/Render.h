#pragma once
// Host forms for control tests, rendering controls into bitmaps and reading
// their pixels back.

#include "framework/Form.h"
#include "framework/graphics/Bitmap.h"

#include <memory>
#include <string>

// A borderless form for control tests at a known place on the test display.
// Shown (the default), it gets real focus, activation, capture and mouse
// positions; hidden, it is enough for messages and painting.
class TestForm : public TForm {
public:
    explicit TestForm(int width = 300, int height = 200, bool shown = true, POINT at = {100, 100});
};

// Paints a windowed control (and its children) into a new 24-bit bitmap of
// the control's size, through the control's own painting.
std::unique_ptr<TBitmap> RenderControl(TWinControl& control);

// The pixel at (x, y) of any bitmap as 0x00BBGGRR.
COLORREF PixelAt(TBitmap& bitmap, int x, int y);

// The bounding box of the pixels darker than `limit` (per channel on
// average) inside `area`; left > right when there are none.
RECT DarkBox(TBitmap& bitmap, RECT area, int limit = 96);

// The text drawn literally ("&" as a character) in the font, black on
// white, from the top-left corner of a bitmap of the given size: how the
// text looks when nothing of it is cut or reinterpreted.
std::unique_ptr<TBitmap> RenderTextAsIs(const TFont& font, const std::string& text, int width, int height);
// The same, drawn by the platform with `flags` (an ellipsis, say) added.
std::unique_ptr<TBitmap> RenderText(const TFont& font, const std::string& text, int width, int height,
                                    UINT flags);

// Whether `area` of `shot` has dark pixels exactly where `reference` has
// them (the reference is as large as the area).
bool SameInk(TBitmap& shot, RECT area, TBitmap& reference, int limit = 96);

// "#RRGGBB", for readable failure messages.
std::string Hex(COLORREF color);
