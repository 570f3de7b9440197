#include "framework/stdctrls/ListBox.h"

namespace {

const TItemMessages kListBoxMessages{LB_ADDSTRING,    LB_INSERTSTRING, LB_DELETESTRING,
                                     LB_RESETCONTENT, LB_INITSTORAGE,  LB_GETCURSEL,
                                     LB_SETCURSEL,    LB_GETTOPINDEX,  LB_SETTOPINDEX};

} // namespace

TListBox::TListBox(TComponent* owner) : TCustomListControl(owner, kListBoxMessages)
{
    // Clicks come from the list's own notifications, not from the mouse
    // messages: a click on empty space below the rows selects nothing.
    SetControlStyle(ControlStyle() & ~(csClickEvents | csDoubleClicks | csCaptureMouse));
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
}

void TListBox::CreateParams(TCreateParams& params)
{
    TCustomListControl::CreateParams(params);
    params.SystemClassName = "LISTBOX";
    // Rows exactly fill the box whatever its height.
    params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (borderStyle_ == TBorderStyle::bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd()
{
    TCustomListControl::CreateWnd();
    // The font given after creation reset the row height: set it again.
    ApplyItemHeight();
}

void TListBox::SetBorderStyle(TBorderStyle style)
{
    if (borderStyle_ != style) {
        borderStyle_ = style;
        RecreateWnd();
    }
}

void TListBox::SetItemHeight(int height)
{
    if (height < 0 || height > 255) // the list keeps row heights in a byte
        return;
    if (itemHeight_ != height) {
        itemHeight_ = height;
        if (HandleAllocated() && height == 0)
            RecreateWnd(); // back to the font's height
        else
            ApplyItemHeight();
    }
}

void TListBox::ApplyItemHeight()
{
    if (HandleAllocated() && itemHeight_ > 0) {
        SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(itemHeight_, 0));
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TListBox::ColorControl(TMessage& message)
{
    auto dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToRGB(Font().Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    background_.SetColor(Color());
    message.Result = reinterpret_cast<LRESULT>(background_.Handle());
}

void TListBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        switch (HIWORD(message.WParam)) {
        case LBN_SELCHANGE:
            Click();
            break;
        case LBN_DBLCLK:
            DblClick();
            break;
        }
        break;
    case CN_CTLCOLORLISTBOX:
        ColorControl(message);
        break;
    case CM_FONTCHANGED:
        TCustomListControl::WndProc(message);
        ApplyItemHeight();
        break;
    default:
        TCustomListControl::WndProc(message);
        break;
    }
}
