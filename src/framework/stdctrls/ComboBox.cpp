#include "framework/stdctrls/ComboBox.h"

#include <oleacc.h>

namespace {

const TItemMessages kComboBoxMessages{CB_ADDSTRING,    CB_INSERTSTRING, CB_DELETESTRING,
                                      CB_RESETCONTENT, CB_INITSTORAGE,  CB_GETCURSEL,
                                      CB_SETCURSEL,    CB_GETTOPINDEX,  CB_SETTOPINDEX};

} // namespace

TComboBox::TComboBox(TComponent* owner) : TCustomListControl(owner, kComboBoxMessages)
{
    SetControlStyle(ControlStyle() & ~(TControlStyleFlag::ClickEvents | TControlStyleFlag::DoubleClicks |
                                       TControlStyleFlag::CaptureMouse));
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
}

void TComboBox::CreateParams(TCreateParams& params)
{
    TCustomListControl::CreateParams(params);
    params.SystemClassName = "COMBOBOX";
    params.Style |= CBS_DROPDOWNLIST | WS_VSCROLL;
    params.Height = Height() + DroppedListHeight();
}

int TComboBox::DroppedListHeight() const
{
    int rowHeight = 0;
    if (HandleAllocated())
        rowHeight =
            static_cast<int>(SendMessageW(const_cast<TComboBox*>(this)->Handle(), CB_GETITEMHEIGHT, 0, 0));
    if (rowHeight <= 0) {
        gdi::ScreenDC screen;
        gdi::ScopedSelect font(screen.Get(), const_cast<TComboBox*>(this)->Font().Handle());
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen.Get(), &metrics);
        rowHeight = metrics.tmHeight;
    }
    return rowHeight * dropDownCount_ + 2;
}

void TComboBox::SetBounds(int left, int top, int width, int height)
{
    if (!HandleAllocated()) {
        TCustomListControl::SetBounds(left, top, width, height);
        return;
    }
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    // The platform reports the closed height back (WM_WINDOWPOSCHANGED); the
    // list's share of the window height is not part of the control's bounds.
    TControl::SetBounds(left, top, width, height);
    SetWindowPos(Handle(), nullptr, left, top, width, height + DroppedListHeight(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string TComboBox::Text() const
{
    const int index = ItemIndex();
    return index < 0 || index >= Items().Count() ? std::string() : Items()[index];
}

void TComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TComboBox::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == CBN_SELCHANGE) {
        Change();
        return;
    }
    TCustomListControl::WndProc(message);
}

long TComboBox::AccessibleRole() const
{
    return ROLE_SYSTEM_COMBOBOX;
}
