#include "support/Render.h"

#include "support/TestApplication.h"

#include <cstdio>

TestForm::TestForm(int width, int height, bool shown, POINT at) : TForm(nullptr)
{
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetColor(clBtnFace);
    SetBounds(at.x, at.y, width, height);
    if (shown) {
        Show();
        PumpMessages(0);
    } else {
        Handle();
    }
}

std::unique_ptr<TBitmap> RenderControl(TWinControl& control)
{
    auto bitmap = std::make_unique<TBitmap>(control.Width(), control.Height());
    control.PaintTo(bitmap->Canvas().Handle(), 0, 0);
    GdiFlush();
    return bitmap;
}

COLORREF PixelAt(TBitmap& bitmap, int x, int y)
{
    return static_cast<COLORREF>(bitmap.Canvas().Pixel(x, y)) & 0xFFFFFF;
}

std::string Hex(COLORREF color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}
