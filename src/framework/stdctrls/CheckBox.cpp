#include "framework/stdctrls/CheckBox.h"

#include "framework/Application.h"

#include <oleacc.h>

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(ControlStyle() & ~(TControlStyleFlag::ClickEvents | TControlStyleFlag::DoubleClicks |
                                       TControlStyleFlag::CaptureMouse));
    SetTabStop(true);
    SetParentColor(true);
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClassName = "BUTTON";
    params.Style |= BS_AUTOCHECKBOX;
}

void TCheckBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::DestroyWnd()
{
    if (HandleAllocated())
        checked_ = Checked();
    TWinControl::DestroyWnd();
}

bool TCheckBox::Checked() const
{
    if (!HandleAllocated())
        return checked_;
    return SendMessageW(const_cast<TCheckBox*>(this)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked)
{
    checked_ = checked;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::ColorControl(TMessage& message)
{
    auto dc = reinterpret_cast<HDC>(message.WParam);
    const TColorScheme& scheme = Application->ColorScheme();
    const TColor fill = scheme.Fill(Color());
    SetTextColor(dc, ColorToRGB(Enabled() ? scheme.Text(Font().Color(), fill) : clGrayText));
    SetBkColor(dc, ColorToRGB(fill));
    background_.SetColor(fill);
    message.Result = reinterpret_cast<LRESULT>(background_.Handle());
}

void TCheckBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED)
            Click();
        break;
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
        ColorControl(message);
        break;
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED:
        TWinControl::WndProc(message);
        Invalidate();
        break;
    default:
        TWinControl::WndProc(message);
        break;
    }
}

long TCheckBox::AccessibleRole() const
{
    return ROLE_SYSTEM_CHECKBUTTON;
}

long TCheckBox::AccessibleState() const
{
    return Checked() ? STATE_SYSTEM_CHECKED : 0;
}

std::string TCheckBox::AccessibleAction() const
{
    return Checked() ? "Uncheck" : "Check";
}

void TCheckBox::DoAccessibleAction()
{
    SendMessageW(Handle(), BM_CLICK, 0, 0);
}
