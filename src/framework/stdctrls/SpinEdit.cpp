#include "framework/stdctrls/SpinEdit.h"

#include "platform/WideText.h"

#include <algorithm>
#include <climits>
#include <commctrl.h>
#include <oleacc.h>
#include <string>

namespace {

const int kArrowsWidth = 15;
// The arrows keep a position in the middle of a range that runs upwards, so
// the up arrow always reports +1 and the down arrow -1; the value itself is
// ours, not the arrows'.
const int kArrowsRangeLow = 0, kArrowsRangeHigh = 100;

} // namespace

TSpinEdit::TSpinEdit(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(ControlStyle() & ~(TControlStyleFlag::ClickEvents | TControlStyleFlag::DoubleClicks |
                                       TControlStyleFlag::CaptureMouse));
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 22);
    TControl::SetCaption("0");
}

void TSpinEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClassName = "EDIT";
    params.Caption = Caption();
    // The arrows are a child of the edit: the edit must not paint over them.
    params.Style |= ES_AUTOHSCROLL | WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TSpinEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!HandleAllocated())
        return;
    arrows_ =
        CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | (Enabled() ? 0 : WS_DISABLED), 0, 0,
                        kArrowsWidth, Height(), Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(arrows_, UDM_SETRANGE32, kArrowsRangeLow, kArrowsRangeHigh);
    SendMessageW(arrows_, UDM_SETPOS32, 0, (kArrowsRangeLow + kArrowsRangeHigh) / 2);
    PlaceArrows();
}

void TSpinEdit::DestroyWnd()
{
    if (HandleAllocated())
        TControl::SetCaption(Text()); // the next window shows the same text
    arrows_ = nullptr;                // destroyed with its parent, the edit
    TWinControl::DestroyWnd();
}

void TSpinEdit::PlaceArrows()
{
    if (!HandleAllocated() || !arrows_)
        return;
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = std::min<int>(kArrowsWidth, client.right);
    SetWindowPos(arrows_, nullptr, client.right - width, 0, width, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Keep the text clear of the arrows.
    SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + 1));
}

std::string TSpinEdit::Text() const
{
    if (!HandleAllocated())
        return Caption();
    HWND window = const_cast<TSpinEdit*>(this)->Handle();
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(length, 0)));
    // What the user typed is shown, never used as a name: a pasted lone
    // surrogate is no number either way.
    return Utf8FromWideReplacing(text);
}

void TSpinEdit::SetText(const std::string& text)
{
    if (HandleAllocated())
        SetWindowTextW(Handle(), WideFromUtf8(text).c_str());
    TControl::SetCaption(text);
}

int TSpinEdit::Value() const
{
    return range_.ValueOf(Text());
}

void TSpinEdit::SetValue(int value)
{
    SetText(std::to_string(range_.Clamp(value)));
}

void TSpinEdit::StepBy(int steps)
{
    const long long stepped = static_cast<long long>(Value()) + static_cast<long long>(steps) * increment_;
    SetValue(static_cast<int>(std::clamp<long long>(stepped, INT_MIN, INT_MAX)));
}

void TSpinEdit::CorrectText()
{
    const std::string corrected = std::to_string(Value());
    if (Text() != corrected)
        SetText(corrected);
}

void TSpinEdit::KeyDown(WORD& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    if (key == VK_UP || key == VK_DOWN) {
        StepBy(key == VK_UP ? 1 : -1);
        key = 0;
    }
}

void TSpinEdit::KeyPress(wchar_t& key)
{
    TWinControl::KeyPress(key);
    // Digits, a sign and the editing keys; anything else is not a number.
    const bool control = key < 32;
    if (!control && !(key >= L'0' && key <= L'9') && key != L'+' && key != L'-')
        key = 0;
}

bool TSpinEdit::HandleArrowsNotify(TMessage& message)
{
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    if (!arrows_ || header->hwndFrom != arrows_)
        return false;
    if (header->code == UDN_DELTAPOS) {
        const auto* change = reinterpret_cast<const NMUPDOWN*>(message.LParam);
        if (change->iDelta != 0)
            StepBy(change->iDelta > 0 ? 1 : -1);
        message.Result = 1; // the arrows' own position stays in the middle
    }
    return true;
}

void TSpinEdit::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NOTIFY:
        if (!HandleArrowsNotify(message))
            TWinControl::WndProc(message);
        break;
    case WM_KILLFOCUS:
        CorrectText();
        TWinControl::WndProc(message);
        break;
    case WM_SIZE:
        TWinControl::WndProc(message);
        PlaceArrows();
        break;
    case CM_FONTCHANGED:
        TWinControl::WndProc(message);
        PlaceArrows(); // a new font resets the edit's margins
        break;
    case CM_ENABLEDCHANGED:
        TWinControl::WndProc(message);
        if (arrows_)
            EnableWindow(arrows_, Enabled());
        break;
    case CN_COMMAND:
        if (HIWORD(message.WParam) == EN_CHANGE && OnChange)
            OnChange(this);
        break;
    default:
        TWinControl::WndProc(message);
        break;
    }
}

long TSpinEdit::AccessibleRole() const
{
    return ROLE_SYSTEM_SPINBUTTON;
}
