#include "framework/CustomControl.h"

#include "framework/Application.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner)
{
}

void TCustomControl::PaintWindow(HDC dc)
{
    const RECT client = ClientRect();
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width <= 0 || height <= 0)
        return;
    // The same steps whether they go into the memory bitmap or, when there
    // is no memory for one, straight onto the window.
    gdi::DoubleBuffer buffer(dc, width, height);
    const HDC target = buffer.Get();
    const TColor fill = Application->ColorScheme().Fill(Color());
    if (!(ControlStyle() & TControlStyleFlag::Opaque)) {
        TBrush brush;
        brush.SetColor(fill);
        FillRect(target, &client, brush.Handle());
    }
    {
        const TCanvasLease lease(canvas_, target);
        canvas_.Font().Assign(Font());
        canvas_.Brush().SetColor(fill);
        canvas_.Pen().SetColor(clBlack);
        canvas_.Pen().SetStyle(TPenStyle::Solid);
        Paint();
    }
    PaintControls(target);
    buffer.Flush();
}
