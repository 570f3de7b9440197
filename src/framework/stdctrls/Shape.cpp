#include "framework/stdctrls/Shape.h"

#include "framework/Application.h"
#include "framework/WinControl.h"

TShape::TShape(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 65, 65);
    pen_.OnChange = [this] { Invalidate(); };
    brush_.OnChange = [this] { Invalidate(); };
}

void TShape::Paint()
{
    TCanvas& canvas = Canvas();
    // The outline is a line on the parent's fill; the inside a fill of its own.
    const TColorScheme& scheme = Application->ColorScheme();
    const TColor pen = scheme.Line(pen_.Color(), Parent() ? Parent()->Color() : Color());
    canvas.Pen().SetColor(pen);
    canvas.Pen().SetStyle(pen_.Style());
    canvas.Pen().SetWidth(pen_.Width());
    canvas.Brush().SetColor(scheme.Fill(brush_.Color()));
    canvas.Brush().SetStyle(brush_.Style());
    // The outline lies inside the bounds whatever the pen's width.
    const int inset = pen_.Width() / 2;
    const int right = inset + Width() - pen_.Width() + 1;
    const int bottom = inset + Height() - pen_.Width() + 1;
    if (Width() <= pen_.Width() || Height() <= pen_.Width()) {
        // Too thin for an outline and an inside: the whole area in the pen's colour.
        if (pen_.Style() != TPenStyle::Clear) {
            canvas.Brush().SetStyle(TBrushStyle::Solid);
            canvas.Brush().SetColor(pen);
            canvas.FillRect(ClientRect());
        }
        return;
    }
    canvas.Rectangle(inset, inset, right, bottom);
}
