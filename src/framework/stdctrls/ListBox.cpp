#include "framework/stdctrls/ListBox.h"

#include "core/Utf8.h"
#include "framework/Application.h"
#include "platform/WideText.h"

#include <algorithm>
#include <oleacc.h>

namespace {

// One UTF-16 unit in lower case, by the system's rules (CharLowerW takes a
// single character in place of a pointer).
wchar_t LowerCase(wchar_t c)
{
    const auto single = static_cast<uintptr_t>(c);
    return static_cast<wchar_t>(reinterpret_cast<uintptr_t>(CharLowerW(reinterpret_cast<LPWSTR>(single))));
}

// The first UTF-16 unit of a row's text: only its first character is
// converted, however long the row.
wchar_t FirstUnit(const std::string& text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    const size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const std::u16string first = Utf16FromUtf8Replacing(std::string_view(text).substr(0, length));
    return first.empty() ? 0 : static_cast<wchar_t>(first[0]);
}

const TItemMessages kListBoxMessages{LB_ADDSTRING,    LB_INSERTSTRING, LB_DELETESTRING,
                                     LB_RESETCONTENT, LB_INITSTORAGE,  LB_GETCURSEL,
                                     LB_SETCURSEL,    LB_GETTOPINDEX,  LB_SETTOPINDEX};

} // namespace

TListBox::TListBox(TComponent* owner) : TCustomListControl(owner, kListBoxMessages)
{
    // Clicks come from the list's own notifications, not from the mouse
    // messages: a click on empty space below the rows selects nothing.
    SetControlStyle(ControlStyle() & ~(TControlStyleFlag::ClickEvents | TControlStyleFlag::DoubleClicks |
                                       TControlStyleFlag::CaptureMouse));
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
}

void TListBox::CreateParams(TCreateParams& params)
{
    TCustomListControl::CreateParams(params);
    params.SystemClassName = "LISTBOX";
    // Rows exactly fill the box whatever its height.
    params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (borderStyle_ == TBorderStyle::Single)
        params.ExStyle |= WS_EX_CLIENTEDGE;
    if (style_ == TListBoxStyle::Virtual)
        params.Style |= LBS_NODATA | LBS_OWNERDRAWFIXED;
}

void TListBox::CreateWnd()
{
    TCustomListControl::CreateWnd();
    if (style_ == TListBoxStyle::Virtual) {
        // The list answers LB_GETTEXT itself (AnswerTextRequest), in UTF-16
        // as its window is wide. The system turns that message between its
        // ANSI and UTF-16 forms only for a list whose style says it has
        // strings; the list box itself took its styles at creation and stays
        // a list without data.
        const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
        SetWindowLongPtrW(Handle(), GWL_STYLE, style | LBS_HASSTRINGS);
    }
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

void TListBox::SetStyle(TListBoxStyle style)
{
    if (style_ != style) {
        style_ = style;
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
    if (!HandleAllocated())
        return;
    int height = Scaled(itemHeight_);
    if (height == 0 && style_ == TListBoxStyle::Virtual) {
        // A list that paints its own rows is not sized by its font: give it
        // the height a standard list takes from the font.
        HDC dc = GetDC(Handle());
        HGDIOBJ previous = SelectObject(dc, Font().Handle());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(Handle(), dc);
        height = metrics.tmHeight;
    }
    if (height > 0) {
        SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TListBox::KeyPress(wchar_t& key)
{
    TCustomListControl::KeyPress(key);
    if (style_ != TListBoxStyle::Virtual || key == 0 || key < L' ' || Items().Count() == 0 ||
        !HandleAllocated())
        return;
    const int count = Items().Count();
    const int start = ItemIndex();
    for (int step = 1; step <= count; ++step) {
        const int row = (start + step + count) % count;
        const std::string& text = Items()[row];
        if (!text.empty() && LowerCase(FirstUnit(text)) == LowerCase(key)) {
            if (row != start) {
                SetItemIndex(row);
                Click();
            }
            break;
        }
    }
}

void TListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    if (item.itemAction == ODA_FOCUS) {
        DrawFocusRect(dc, &rect);
        return;
    }
    if (item.itemID >= static_cast<UINT>(Items().Count()))
        return;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const TColorScheme& scheme = Application->ColorScheme();
    const TColor fill = scheme.Fill(Color());
    COLORREF text =
        selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ColorToRGB(scheme.Text(Font().Color(), fill));
    if (!IsWindowEnabled(Handle()) || (!selected && RowGreyed && RowGreyed(static_cast<int>(item.itemID))))
        text = GetSysColor(COLOR_GRAYTEXT);
    SetBkColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHT) : ColorToRGB(fill));
    SetTextColor(dc, text);
    HGDIOBJ previous = SelectObject(dc, Font().Handle());
    // Plain text output: "&" in a file name is a character, never a prefix.
    const std::wstring row = WideFromUtf8(Items()[static_cast<int>(item.itemID)]);
    ExtTextOutW(dc, rect.left + 1, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect, row.data(),
                static_cast<UINT>(row.size()), nullptr);
    SelectObject(dc, previous);
    if ((item.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(dc, &rect);
}

void TListBox::AnswerTextRequest(TMessage& message)
{
    const auto row = static_cast<int>(message.WParam);
    if (message.WParam >= static_cast<WPARAM>(Items().Count())) {
        message.Result = LB_ERR;
        return;
    }
    const std::wstring text = WideFromUtf8Replacing(Items()[row]);
    if (message.Msg == LB_GETTEXT && message.LParam != 0) {
        auto* buffer = reinterpret_cast<wchar_t*>(message.LParam);
        std::copy(text.begin(), text.end(), buffer);
        buffer[text.size()] = L'\0';
    }
    message.Result = static_cast<LRESULT>(text.size());
}

void TListBox::ColorControl(TMessage& message)
{
    auto dc = reinterpret_cast<HDC>(message.WParam);
    const TColorScheme& scheme = Application->ColorScheme();
    const TColor fill = scheme.Fill(Color());
    SetTextColor(dc, ColorToRGB(scheme.Text(Font().Color(), fill)));
    SetBkColor(dc, ColorToRGB(fill));
    background_.SetColor(fill);
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
    case CN_DRAWITEM:
        if (style_ == TListBoxStyle::Virtual) {
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
            message.Result = TRUE;
        } else {
            TCustomListControl::WndProc(message);
        }
        break;
    case LB_GETTEXT:
    case LB_GETTEXTLEN:
        if (style_ == TListBoxStyle::Virtual)
            AnswerTextRequest(message);
        else
            TCustomListControl::WndProc(message);
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

long TListBox::AccessibleRole() const
{
    return ROLE_SYSTEM_LIST;
}
