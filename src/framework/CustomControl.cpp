#include "framework/CustomControl.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(HDC dc)
{
    const RECT client = ClientRect();
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width <= 0 || height <= 0)
        return;
    gdi::MemoryDC memory(dc);
    gdi::Bitmap buffer(CreateCompatibleBitmap(dc, width, height));
    if (!buffer) {
        // Not enough memory for the buffer: paint straight onto the DC.
        canvas_.SetHandle(dc);
        canvas_.Font().Assign(Font());
        Paint();
        canvas_.SetHandle(nullptr);
        PaintControls(dc);
        return;
    }
    gdi::ScopedSelect select(memory.Get(), buffer.Get());
    if (!(ControlStyle() & csOpaque)) {
        TBrush brush;
        brush.SetColor(Color());
        FillRect(memory.Get(), &client, brush.Handle());
    }
    canvas_.SetHandle(memory.Get());
    canvas_.Font().Assign(Font());
    canvas_.Brush().SetColor(Color());
    canvas_.Pen().SetColor(clBlack);
    canvas_.Pen().SetStyle(TPenStyle::psSolid);
    try {
        Paint();
    } catch (...) {
        canvas_.SetHandle(nullptr);
        throw;
    }
    canvas_.SetHandle(nullptr);
    PaintControls(memory.Get());
    BitBlt(dc, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
}
