#include "support/Render.h"

#include "support/TestApplication.h"

#include <cstdio>

std::unique_ptr<TBitmap> RenderControl(TWinControl& control)
{
    auto bitmap = std::make_unique<TBitmap>(control.Width(), control.Height());
    control.PaintTo(bitmap->Canvas().Handle(), 0, 0);
    GdiFlush();
    return bitmap;
}

COLORREF PixelAt(TBitmap& bitmap, int x, int y)
{
    const uint8_t* pixel = bitmap.ScanLine(y) + 3 * x;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

std::string Hex(COLORREF color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

TestForm::TestForm(int width, int height, int x, int y) : TForm(nullptr)
{
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetColor(clBtnFace);
    SetBounds(x, y, width, height);
    Show();
    PumpMessages(0);
}
