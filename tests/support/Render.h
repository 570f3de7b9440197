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

// "#RRGGBB", for readable failure messages.
std::string Hex(COLORREF color);
