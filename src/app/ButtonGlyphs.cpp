#include "app/ButtonGlyphs.h"

namespace {

const TColor kTransparent = RGBColor(255, 0, 255);
const TColor kOutline = RGBColor(0x33, 0x3D, 0x4D);

TCanvas& Prepare(TBitmap& glyph)
{
    glyph.SetPixelFormat(TPixelFormat::pf24bit);
    glyph.SetSize(32, 32);
    TCanvas& canvas = glyph.Canvas();
    canvas.Brush().SetColor(kTransparent);
    canvas.FillRect({0, 0, 32, 32});
    canvas.Pen().SetStyle(TPenStyle::psSolid);
    canvas.Pen().SetWidth(1);
    return canvas;
}

void Fill(TCanvas& canvas, const RECT& rect, TColor color)
{
    canvas.Brush().SetColor(color);
    canvas.FillRect(rect);
}

void Polygon(TCanvas& canvas, std::vector<POINT> points, TColor fill, TColor outline)
{
    canvas.Brush().SetColor(fill);
    canvas.Pen().SetColor(outline);
    canvas.Polygon(points);
}

} // namespace

void DrawNewListGlyph(TBitmap& glyph)
{
    TCanvas& canvas = Prepare(glyph);
    // A blank page with a folded corner...
    Polygon(canvas, {{6, 2}, {20, 2}, {26, 8}, {26, 29}, {6, 29}}, clWhite, kOutline);
    Polygon(canvas, {{20, 2}, {20, 8}, {26, 8}}, RGBColor(0xD8, 0xDE, 0xE8), kOutline);
    // ...with faint ruled lines where the names will go...
    canvas.Pen().SetColor(RGBColor(0xB8, 0xC8, 0xDC));
    for (int y = 13; y <= 25; y += 4) {
        canvas.MoveTo(10, y);
        canvas.LineTo(23, y);
    }
    // ...and a bright star: a fresh start.
    Polygon(
        canvas,
        {{22, 16}, {24, 21}, {29, 21}, {25, 24}, {27, 29}, {22, 26}, {17, 29}, {19, 24}, {15, 21}, {20, 21}},
        RGBColor(0xFF, 0xC8, 0x20), RGBColor(0xC0, 0x7A, 0x00));
}

void DrawSaveGlyph(TBitmap& glyph)
{
    TCanvas& canvas = Prepare(glyph);
    // A diskette: dark blue body with a clipped corner...
    Polygon(canvas, {{4, 3}, {25, 3}, {28, 6}, {28, 28}, {4, 28}}, RGBColor(0x2A, 0x4E, 0x8C),
            RGBColor(0x18, 0x2E, 0x58));
    // ...the metal shutter with its window...
    Fill(canvas, {9, 4, 23, 12}, RGBColor(0xC8, 0xCE, 0xD6));
    Fill(canvas, {18, 5, 21, 11}, RGBColor(0x2A, 0x4E, 0x8C));
    // ...and the white label with two written lines.
    Fill(canvas, {8, 16, 25, 28}, clWhite);
    canvas.Pen().SetColor(RGBColor(0x90, 0x9C, 0xB0));
    canvas.MoveTo(10, 20);
    canvas.LineTo(23, 20);
    canvas.MoveTo(10, 24);
    canvas.LineTo(20, 24);
}

void DrawExitGlyph(TBitmap& glyph)
{
    TCanvas& canvas = Prepare(glyph);
    // A door frame and an open door...
    Fill(canvas, {4, 3, 19, 29}, RGBColor(0x4A, 0x3A, 0x2A));
    Fill(canvas, {6, 5, 17, 29}, RGBColor(0xF2, 0xEE, 0xE6));
    Polygon(canvas, {{6, 5}, {13, 8}, {13, 31}, {6, 28}}, RGBColor(0xA8, 0x6A, 0x32),
            RGBColor(0x5C, 0x38, 0x18));
    Fill(canvas, {11, 18, 13, 20}, RGBColor(0xF0, 0xD0, 0x60));
    // ...with a red arrow pointing out.
    Polygon(canvas, {{16, 14}, {23, 14}, {23, 10}, {30, 17}, {23, 24}, {23, 20}, {16, 20}},
            RGBColor(0xD8, 0x30, 0x28), RGBColor(0x90, 0x18, 0x10));
}
