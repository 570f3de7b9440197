#include "support/Render.h"

#include "support/TestApplication.h"

#include <algorithm>
#include <climits>
#include <cstdio>

TestForm::TestForm(int width, int height, bool shown, POINT at) : TForm(nullptr)
{
    SetBorderStyle(TFormBorderStyle::None);
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

namespace {

bool Dark(TBitmap& bitmap, int x, int y, int limit)
{
    const COLORREF pixel = PixelAt(bitmap, x, y);
    return GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * limit;
}

} // namespace

RECT DarkBox(TBitmap& bitmap, RECT area, int limit)
{
    RECT box{INT_MAX, INT_MAX, -1, -1};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Dark(bitmap, x, y, limit)) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

std::unique_ptr<TBitmap> RenderTextAsIs(const TFont& font, const std::string& text, int width, int height)
{
    return RenderText(font, text, width, height, 0);
}

std::unique_ptr<TBitmap> RenderText(const TFont& font, const std::string& text, int width, int height,
                                    UINT flags)
{
    auto bitmap = std::make_unique<TBitmap>(width, height);
    TCanvas& canvas = bitmap->Canvas();
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect({0, 0, width, height});
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    canvas.Font().Assign(font);
    canvas.Font().SetColor(clBlack);
    RECT rect{0, 0, width, height};
    canvas.DrawText(text, rect, DT_NOPREFIX | DT_SINGLELINE | flags);
    GdiFlush();
    return bitmap;
}

bool SameInk(TBitmap& shot, RECT area, TBitmap& reference, int limit)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Dark(shot, x, y, limit) != Dark(reference, x - area.left, y - area.top, limit))
                return false;
    return true;
}

std::string Hex(COLORREF color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}
