#include "controls/FlatDrawing.h"

#include "controls/GradientMath.h"
#include "framework/Application.h"

#include <algorithm>
#include <cstring>
#include <random>

namespace {

RgbColor ToRgb(TColor color)
{
    const uint32_t rgb = ColorToRGB(color);
    return {static_cast<uint8_t>(rgb & 0xFF), static_cast<uint8_t>((rgb >> 8) & 0xFF),
            static_cast<uint8_t>((rgb >> 16) & 0xFF)};
}

void PutPixel(TBitmap& bitmap, int x, int y, RgbColor color)
{
    uint8_t* pixel = bitmap.ScanLine(y) + 3 * x;
    pixel[0] = color.Blue;
    pixel[1] = color.Green;
    pixel[2] = color.Red;
}

// `rect` of the bitmap in `color`; the rectangle's right and bottom edges
// are excluded, as FillRect's are.
void FillPixels(TBitmap& bitmap, const RECT& rect, RgbColor color)
{
    for (int y = rect.top; y < rect.bottom; ++y) {
        uint8_t* pixel = bitmap.ScanLine(y) + 3 * rect.left;
        for (int x = rect.left; x < rect.right; ++x, pixel += 3) {
            pixel[0] = color.Blue;
            pixel[1] = color.Green;
            pixel[2] = color.Red;
        }
    }
}

} // namespace

int DitherRandom(int bound)
{
    // One generator for the whole program, never reseeded, like the runtime's.
    static std::minstd_rand generator;
    if (bound <= 1)
        return 0;
    return std::uniform_int_distribution<int>(0, bound - 1)(generator);
}

void CreateGradientBitmap(int width, int height, TColor startColor, TColor endColor, uint8_t bands,
                          TGradientDirection direction, bool dithered, TBitmap& bitmap)
{
    // Format first, then both sides at once: each change makes the bitmap
    // anew and copies the old one into it.
    if (bitmap.PixelFormat() != TPixelFormat::Bits24)
        bitmap.SetPixelFormat(TPixelFormat::Bits24);
    bitmap.SetSize(width, height);
    if (width <= 0 || height <= 0)
        return;

    const int n = bands;
    const bool reversed = static_cast<int>(direction) >= 2;
    const std::vector<RgbColor> table = GradientColorTable(ToRgb(reversed ? endColor : startColor),
                                                           ToRgb(reversed ? startColor : endColor), n);
    // The pixels are written in memory: every flat button builds these as
    // it is sized and first shown, and a band drawn through GDI costs a
    // brush and a fill, sixty-four times over.
    const RgbColor start = ToRgb(startColor);
    const bool vertical =
        direction == TGradientDirection::FromLeft || direction == TGradientDirection::FromRight;
    if (vertical) {
        // Vertical bands, left to right; each band paints from its start to
        // the right edge, so the next one covers the rest. Only the first
        // 16 rows are drawn: they carry the dither and are repeated down.
        const int rows = std::min(16, height);
        FillPixels(bitmap, {0, 0, width, rows}, start);
        const int spread = n > 1 ? width / (n - 1) : 0;
        for (int i = 0; i < n; ++i) {
            const int x = BandStart(i, width, n);
            FillPixels(bitmap, {x, 0, width, rows}, table[i]);
            if (!dithered || i == 0)
                continue;
            for (int y = 0; y < rows; ++y)
                for (int j = 0; j <= spread; ++j) {
                    const int at = x + DitherRandom(j);
                    if (at >= 0 && at < width)
                        PutPixel(bitmap, at, y, table[i - 1]);
                }
        }
        for (int y = rows; y < height; ++y)
            std::memcpy(bitmap.ScanLine(y), bitmap.ScanLine(y % 16), 3 * static_cast<size_t>(width));
    } else {
        // Horizontal bands, top to bottom, drawn in the first 16 columns,
        // which carry the dither and are repeated across.
        const int columns = std::min(16, width);
        FillPixels(bitmap, {0, 0, columns, height}, start);
        const int spread = n > 1 ? height / (n - 1) : 0;
        for (int i = 0; i < n; ++i) {
            const int y = BandStart(i, height, n);
            FillPixels(bitmap, {0, y, columns, height}, table[i]);
            if (!dithered || i == 0)
                continue;
            for (int j = 0; j <= spread; ++j) {
                const int at = y + DitherRandom(j);
                if (at < 0 || at >= height)
                    continue;
                for (int x = 0; x < columns; ++x)
                    PutPixel(bitmap, x, at, table[i - 1]);
            }
        }
        for (int y = 0; y < height; ++y) {
            uint8_t* row = bitmap.ScanLine(y);
            for (int x = columns; x < width; ++x)
                std::memcpy(row + 3 * x, row + 3 * (x % 16), 3);
        }
    }
}

void DrawLine(TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void ShrinkByBorder(int borderWidth, bool showBoundLines, TBoundLines lines, RECT& rect, int lineWidth)
{
    const InsetRect inset =
        ShrinkByBorder(borderWidth, showBoundLines, lines,
                       InsetRect{rect.left, rect.top, rect.right, rect.bottom}, lineWidth);
    rect = {inset.Left, inset.Top, inset.Right, inset.Bottom};
}

void DrawBoundLines(TCanvas& canvas, TBoundLines lines, TColor color, const RECT& rect, int lineWidth)
{
    if (lineWidth > 1) {
        // Thicker lines are bands inside the rectangle, as a one-pixel line is.
        canvas.Brush().SetColor(color);
        const int w = lineWidth;
        if (lines & TBoundLine::Left)
            canvas.FillRect({rect.left, rect.top, rect.left + w, rect.bottom});
        if (lines & TBoundLine::Top)
            canvas.FillRect({rect.left, rect.top, rect.right, rect.top + w});
        if (lines & TBoundLine::Right)
            canvas.FillRect({rect.right - w, rect.top, rect.right, rect.bottom});
        if (lines & TBoundLine::Bottom)
            canvas.FillRect({rect.left, rect.bottom - w, rect.right, rect.bottom});
        canvas.Brush().SetStyle(TBrushStyle::Clear);
        return;
    }
    canvas.Pen().SetColor(color);
    canvas.Pen().SetStyle(TPenStyle::Solid);
    if (lines & TBoundLine::Left)
        DrawLine(canvas, rect.left, rect.top, rect.left, rect.bottom - 1);
    if (lines & TBoundLine::Top)
        DrawLine(canvas, rect.left, rect.top, rect.right, rect.top);
    if (lines & TBoundLine::Right)
        DrawLine(canvas, rect.right - 1, rect.top, rect.right - 1, rect.bottom - 1);
    if (lines & TBoundLine::Bottom)
        DrawLine(canvas, rect.left, rect.bottom - 1, rect.right, rect.bottom - 1);
}

void MakeGrayGlyph(TBitmap& bitmap)
{
    TCanvas& canvas = bitmap.Canvas();
    for (int x = 0; x < bitmap.Width(); ++x)
        for (int y = 0; y < bitmap.Height(); ++y) {
            const uint32_t rgb = ColorToRGB(canvas.Pixel(x, y));
            const int sum = int(rgb & 0xFF) + int((rgb >> 8) & 0xFF) + int((rgb >> 16) & 0xFF);
            const int v = std::min(sum / 3 + 100, 255);
            canvas.SetPixel(x, y, RGBColor(v, v, v));
        }
}

void DrawCaptionText(TControl& control, TCanvas& canvas, std::string text, TFont& font, bool enabled,
                     bool showAccelChar, RECT& rect, UINT flags)
{
    (void)control; // left-to-right reading only: no reading-order flags to add
    if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar && text == "&")))
        text += ' '; // an empty caption still measures one line high
    if (!showAccelChar)
        flags |= DT_NOPREFIX;
    canvas.Font().Assign(font);
    if (enabled) {
        canvas.DrawText(text, rect, flags);
        return;
    }
    const TColorScheme& scheme = Application->ColorScheme();
    if (scheme.Contrast()) {
        // An embossed caption is lost in a contrast theme: plain grey text.
        canvas.Font().SetColor(scheme.DisabledText(clBtnShadow));
        canvas.DrawText(text, rect, flags);
        return;
    }
    OffsetRect(&rect, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(text, rect, flags);
    OffsetRect(&rect, -1, -1);
    canvas.Font().SetColor(clBtnShadow);
    canvas.DrawText(text, rect, flags);
}

void DrawBevelFrame(TCanvas& canvas, const RECT& rect, TColor topLeft, TColor bottomRight, bool swap)
{
    if (swap)
        std::swap(topLeft, bottomRight);
    canvas.Pen().SetColor(topLeft);
    canvas.Polyline({{rect.left, rect.bottom - 1}, {rect.left, rect.top}, {rect.right - 1, rect.top}});
    canvas.Pen().SetColor(bottomRight);
    canvas.Polyline(
        {{rect.right - 1, rect.top + 1}, {rect.right - 1, rect.bottom - 1}, {rect.left, rect.bottom - 1}});
}

void RecolorGlyph(TBitmap& bitmap, TColor color)
{
    TBitmap copy;
    copy.Assign(bitmap);
    copy.Canvas().Brush().SetColor(color);
    const RECT all{0, 0, bitmap.Width(), bitmap.Height()};
    copy.Canvas().BrushCopy(all, bitmap, all, clBlack);
    bitmap.Assign(copy);
}
