#include "framework/graphics/Canvas.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"
#include "platform/WideText.h"

TCanvas::TCanvas()
{
    pen_.OnChange = [this] { state_ &= ~PenValid; };
    brush_.OnChange = [this] { state_ &= ~BrushValid; };
    font_.OnChange = [this] { state_ &= ~FontValid; };
}

TCanvas::~TCanvas()
{
    SetHandle(nullptr);
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc_ == dc)
        return;
    RestoreOriginalObjects();
    dc_ = dc;
    state_ = 0;
}

void TCanvas::RestoreOriginalObjects()
{
    if (!dc_)
        return;
    // Put back what the DC held before we selected our own objects, so ours
    // can be deleted and the lender gets its DC as it was.
    if (originalPen_)
        SelectObject(dc_, originalPen_);
    if (originalBrush_)
        SelectObject(dc_, originalBrush_);
    if (originalFont_)
        SelectObject(dc_, originalFont_);
    originalPen_ = originalBrush_ = originalFont_ = nullptr;
}

void TCanvas::Require(unsigned state)
{
    const unsigned missing = state & ~state_;
    if (missing & PenValid) {
        HGDIOBJ old = SelectObject(dc_, pen_.Handle());
        if (!originalPen_)
            originalPen_ = old;
    }
    if (missing & BrushValid) {
        HGDIOBJ old = SelectObject(dc_, brush_.Handle());
        if (!originalBrush_)
            originalBrush_ = old;
        SetBkColor(dc_, ColorToRGB(brush_.Color()));
        SetBkMode(dc_, brush_.Style() == TBrushStyle::Clear ? TRANSPARENT : OPAQUE);
    }
    if (missing & FontValid) {
        HGDIOBJ old = SelectObject(dc_, font_.Handle());
        if (!originalFont_)
            originalFont_ = old;
        SetTextColor(dc_, ColorToRGB(font_.Color()));
    }
    state_ |= missing;
}

void TCanvas::FillRect(const RECT& rect)
{
    Require(BrushValid);
    ::FillRect(dc_, &rect, brush_.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    Require(PenValid | BrushValid);
    ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    Require(PenValid | BrushValid);
    ::RoundRect(dc_, left, top, right, bottom, ellipseWidth, ellipseHeight);
}

void TCanvas::MoveTo(int x, int y)
{
    ::MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    Require(PenValid | BrushValid);
    ::LineTo(dc_, x, y);
}

void TCanvas::Polyline(const std::vector<POINT>& points)
{
    Require(PenValid | BrushValid);
    ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polygon(const std::vector<POINT>& points)
{
    Require(PenValid | BrushValid);
    ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    Require(FontValid | BrushValid);
    const std::wstring wide = WideFromUtf8(text);
    ::TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT flags)
{
    Require(FontValid | BrushValid);
    const std::wstring wide = WideFromUtf8(text);
    return ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rect, flags);
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    Require(FontValid);
    SIZE size{0, 0};
    const std::wstring wide = WideFromUtf8(text);
    ::GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

void TCanvas::Draw(int x, int y, TGraphic& graphic)
{
    if (graphic.Empty())
        return;
    RECT dest{x, y, x + graphic.Width(), y + graphic.Height()};
    graphic.Draw(*this, dest);
}

void TCanvas::StretchDraw(const RECT& dest, TGraphic& graphic)
{
    if (!graphic.Empty())
        graphic.Draw(*this, dest);
}

void TCanvas::BrushCopy(const RECT& dest, TBitmap& source, const RECT& sourceRect, TColor replaceColor)
{
    // Build a monochrome mask of the pixels equal to replaceColor, then
    // combine: source where the mask is clear, brush colour where it is set.
    const int width = dest.right - dest.left, height = dest.bottom - dest.top;
    if (width <= 0 || height <= 0)
        return;
    TCanvas& sourceCanvas = source.Canvas();
    gdi::Bitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    gdi::MemoryDC maskDC;
    gdi::ScopedSelect selectMask(maskDC.Get(), mask.Get());
    const COLORREF oldBack = SetBkColor(sourceCanvas.Handle(), ColorToRGB(replaceColor));
    BitBlt(maskDC.Get(), 0, 0, width, height, sourceCanvas.Handle(), sourceRect.left, sourceRect.top,
           SRCCOPY);
    SetBkColor(sourceCanvas.Handle(), oldBack);

    Require(BrushValid);
    const COLORREF oldText = SetTextColor(dc_, RGB(0, 0, 0));
    const COLORREF oldBk = SetBkColor(dc_, RGB(255, 255, 255));
    // dest = source where mask is 0; brush where mask is 1.
    BitBlt(dc_, dest.left, dest.top, width, height, sourceCanvas.Handle(), sourceRect.left, sourceRect.top,
           SRCCOPY);
    gdi::ScopedSelect selectBrush(dc_, brush_.Handle());
    // DSPDxax: where the mask is 1 the pattern (brush) replaces the destination.
    BitBlt(dc_, dest.left, dest.top, width, height, maskDC.Get(), 0, 0, 0x00E20746);
    SetTextColor(dc_, oldText);
    SetBkColor(dc_, oldBk);
}

TColor TCanvas::Pixel(int x, int y)
{
    return static_cast<TColor>(::GetPixel(dc_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    ::SetPixelV(dc_, x, y, ColorToRGB(color));
}
