#include "framework/stdctrls/Shape.h"

TShape::TShape(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 65, 65);
    pen_.OnChange = [this] { Invalidate(); };
    brush_.OnChange = [this] { Invalidate(); };
}

void TShape::Paint()
{
    TCanvas& canvas = Canvas();
    canvas.Pen().SetColor(pen_.Color());
    canvas.Pen().SetStyle(pen_.Style());
    canvas.Pen().SetWidth(pen_.Width());
    canvas.Brush().SetColor(brush_.Color());
    canvas.Brush().SetStyle(brush_.Style());
    // The outline lies inside the bounds whatever the pen's width.
    const int inset = pen_.Width() / 2;
    const int right = inset + Width() - pen_.Width() + 1;
    const int bottom = inset + Height() - pen_.Width() + 1;
    if (Width() <= pen_.Width() || Height() <= pen_.Width()) {
        // Too thin for an outline and an inside: the whole area in the pen's colour.
        if (pen_.Style() != TPenStyle::psClear) {
            canvas.Brush().SetStyle(TBrushStyle::bsSolid);
            canvas.Brush().SetColor(pen_.Color());
            canvas.FillRect(ClientRect());
        }
        return;
    }
    canvas.Rectangle(inset, inset, right, bottom);
}
