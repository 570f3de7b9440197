#pragma once
// A drawing surface over a device context, with the current pen, brush and
// font. The canvas does not own the DC; whoever lends it one (a paint cycle,
// a bitmap, a test) takes it back with SetHandle(nullptr), which restores the
// DC's original objects.

#include "framework/graphics/GraphicsObjects.h"

#include <string>
#include <vector>

class TBitmap;
class TGraphic;

class TCanvas {
public:
    TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    virtual ~TCanvas();

    HDC Handle() const { return dc_; }
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }

    // Drawing, with the conventions of GDI: right and bottom edges excluded.
    void FillRect(const RECT& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const std::vector<POINT>& points);
    // A closed shape outlined with the pen and filled with the brush.
    void Polygon(const std::vector<POINT>& points);
    void TextOut(int x, int y, const std::string& text);
    // DrawTextW with the canvas's font, font colour and brush (clear brush =
    // transparent background). Returns the text height as DrawTextW does.
    int DrawText(const std::string& text, RECT& rect, UINT flags);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    // Copies a rectangle of another canvas into this one (SRCCOPY).
    // Draws a graphic at (x, y), transparently when the graphic says so.
    void Draw(int x, int y, TGraphic& graphic);
    void StretchDraw(const RECT& dest, TGraphic& graphic);
    // Copies source onto dest, replacing every pixel equal to replaceColor by
    // the canvas's brush colour.
    void BrushCopy(const RECT& dest, TBitmap& source, const RECT& sourceRect, TColor replaceColor);

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

private:
    enum State : unsigned { PenValid = 1, BrushValid = 2, FontValid = 4 };
    void Require(unsigned state);
    void RestoreOriginalObjects();

    HDC dc_ = nullptr;
    unsigned state_ = 0;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    TPen pen_;
    TBrush brush_;
    TFont font_;
};

// Lends a DC to a canvas for one scope (a paint cycle): the canvas draws on
// it until the scope ends, by error or not, and then gives it back as it was.
class TCanvasLease {
public:
    TCanvasLease(TCanvas& canvas, HDC dc) : canvas_(canvas), previous_(canvas.Handle())
    {
        canvas.SetHandle(dc);
    }
    TCanvasLease(const TCanvasLease&) = delete;
    TCanvasLease& operator=(const TCanvasLease&) = delete;
    ~TCanvasLease() { canvas_.SetHandle(previous_); }

private:
    TCanvas& canvas_;
    HDC previous_;
};
