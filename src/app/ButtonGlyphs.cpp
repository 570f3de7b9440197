#include "app/ButtonGlyphs.h"

#include "platform/Dpi.h"

namespace {

const TColor kTransparent = RGBColor(255, 0, 255);
const TColor kOutline = RGBColor(0x33, 0x3D, 0x4D);

// Draws on a glyph in 96-DPI coordinates, each one scaled to the glyph's
// DPI: every shape is drawn at its own size, never a small picture stretched.
class Painter {
public:
    Painter(TBitmap& glyph, int dpi) : canvas_(Prepared(glyph, ScaleToDpi(32, dpi), dpi)), dpi_(dpi) {}

    void Fill(const RECT& rect, TColor color)
    {
        canvas_.Brush().SetColor(color);
        canvas_.FillRect({S(rect.left), S(rect.top), S(rect.right), S(rect.bottom)});
    }
    void Polygon(std::vector<POINT> points, TColor fill, TColor outline)
    {
        for (POINT& point : points)
            point = {S(point.x), S(point.y)};
        canvas_.Brush().SetColor(fill);
        canvas_.Pen().SetColor(outline);
        canvas_.Polygon(points);
    }
    // A ruled line from (x1, y) to (x2, y), as thick as the pen.
    void Rule(int x1, int x2, int y, TColor color) { Fill({x1, y, x2, y + 1}, color); }

private:
    // The glyph at its size, filled with the transparent colour; the canvas
    // is taken once the bitmap has its size and format.
    static TCanvas& Prepared(TBitmap& glyph, int size, int dpi)
    {
        glyph.SetPixelFormat(TPixelFormat::Bits24);
        glyph.SetSize(size, size);
        TCanvas& canvas = glyph.Canvas();
        canvas.Brush().SetColor(kTransparent);
        canvas.FillRect({0, 0, size, size});
        canvas.Pen().SetStyle(TPenStyle::Solid);
        canvas.Pen().SetWidth(ScaleToDpi(1, dpi));
        return canvas;
    }
    int S(int value) const { return ScaleToDpi(value, dpi_); }

    TCanvas& canvas_;
    int dpi_;
};

} // namespace

void DrawNewListGlyph(TBitmap& glyph, int dpi)
{
    Painter canvas(glyph, dpi);
    // A blank page with a folded corner...
    canvas.Polygon({{6, 2}, {20, 2}, {26, 8}, {26, 29}, {6, 29}}, clWhite, kOutline);
    canvas.Polygon({{20, 2}, {20, 8}, {26, 8}}, RGBColor(0xD8, 0xDE, 0xE8), kOutline);
    // ...with faint ruled lines where the names will go...
    for (int y = 13; y <= 25; y += 4)
        canvas.Rule(10, 23, y, RGBColor(0xB8, 0xC8, 0xDC));
    // ...and a bright star: a fresh start.
    canvas.Polygon(
        {{22, 16}, {24, 21}, {29, 21}, {25, 24}, {27, 29}, {22, 26}, {17, 29}, {19, 24}, {15, 21}, {20, 21}},
        RGBColor(0xFF, 0xC8, 0x20), RGBColor(0xC0, 0x7A, 0x00));
}

void DrawSaveGlyph(TBitmap& glyph, int dpi)
{
    Painter canvas(glyph, dpi);
    // A diskette: dark blue body with a clipped corner...
    canvas.Polygon({{4, 3}, {25, 3}, {28, 6}, {28, 28}, {4, 28}}, RGBColor(0x2A, 0x4E, 0x8C),
                   RGBColor(0x18, 0x2E, 0x58));
    // ...the metal shutter with its window...
    canvas.Fill({9, 4, 23, 12}, RGBColor(0xC8, 0xCE, 0xD6));
    canvas.Fill({18, 5, 21, 11}, RGBColor(0x2A, 0x4E, 0x8C));
    // ...and the white label with two written lines.
    canvas.Fill({8, 16, 25, 28}, clWhite);
    canvas.Rule(10, 23, 20, RGBColor(0x90, 0x9C, 0xB0));
    canvas.Rule(10, 20, 24, RGBColor(0x90, 0x9C, 0xB0));
}

void DrawExitGlyph(TBitmap& glyph, int dpi)
{
    Painter canvas(glyph, dpi);
    // A door frame and an open door...
    canvas.Fill({4, 3, 19, 29}, RGBColor(0x4A, 0x3A, 0x2A));
    canvas.Fill({6, 5, 17, 29}, RGBColor(0xF2, 0xEE, 0xE6));
    canvas.Polygon({{6, 5}, {13, 8}, {13, 31}, {6, 28}}, RGBColor(0xA8, 0x6A, 0x32),
                   RGBColor(0x5C, 0x38, 0x18));
    canvas.Fill({11, 18, 13, 20}, RGBColor(0xF0, 0xD0, 0x60));
    // ...with a red arrow pointing out.
    canvas.Polygon({{16, 14}, {23, 14}, {23, 10}, {30, 17}, {23, 24}, {23, 20}, {16, 20}},
                   RGBColor(0xD8, 0x30, 0x28), RGBColor(0x90, 0x18, 0x10));
}
