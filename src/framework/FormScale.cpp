// A form at any DPI: its layout, written in 96-DPI units, scaled at one
// place by the window's DPI.

#include "framework/Form.h"
#include "platform/Dpi.h"

namespace {

// Before anything moves: a parent's new size realigns its children.
void RecordDesignSizes(const TWinControl& parent)
{
    for (TControl* child : parent.Controls()) {
        child->RecordDesignSize();
        if (const auto* windowed = dynamic_cast<const TWinControl*>(child))
            RecordDesignSizes(*windowed);
    }
}

void ScaleChildren(const TWinControl& parent, int dpi)
{
    for (TControl* child : parent.Controls()) {
        child->ChangeScale(dpi);
        if (const auto* windowed = dynamic_cast<const TWinControl*>(child))
            ScaleChildren(*windowed, dpi);
    }
}

void TellChildren(const TWinControl& parent)
{
    for (TControl* child : parent.Controls()) {
        child->DpiChanged();
        if (const auto* windowed = dynamic_cast<const TWinControl*>(child))
            TellChildren(*windowed);
    }
}

} // namespace

void TForm::ApplyClientSize()
{
    TCreateParams params;
    CreateParams(params);
    const RECT rect =
        WindowRectForClient({0, 0, ScaleToDpi(designClient_.cx, dpi_), ScaleToDpi(designClient_.cy, dpi_)},
                            params.Style, params.ExStyle, dpi_);
    SetBounds(Left(), Top(), rect.right - rect.left, rect.bottom - rect.top);
}

void TForm::SetDpi(int dpi)
{
    if (dpi <= 0 || dpi == dpi_)
        return;
    if (!designFontHeight_)
        designFontHeight_ = Font().Height();
    RecordDesignSizes(*this);
    dpi_ = dpi;
    Font().SetHeight(ScaleToDpi(*designFontHeight_, dpi));
    ApplyClientSize();
    ScaleChildren(*this, dpi);
    Realign();
    TellChildren(*this);
    DpiChanged();
    Invalidate();
}

void TForm::WMDpiChanged(TMessage& message)
{
    SetDpi(HIWORD(message.WParam));
    const RECT& suggested = *reinterpret_cast<const RECT*>(message.LParam);
    SetBounds(suggested.left, suggested.top, suggested.right - suggested.left,
              suggested.bottom - suggested.top);
    message.Result = 0;
}
