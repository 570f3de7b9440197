#include "controls/StyledControl.h"

#include "core/Utf8.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/WideText.h"
#include "resources/resource.h"

#include <algorithm>
#include <cctype>

namespace {

// The version number kept in the program's string table.
std::string LibraryVersion()
{
    wchar_t buffer[32] = {};
    LoadStringW(GetModuleHandleW(nullptr), IDS_CONTROLS_VERSION, buffer, sizeof buffer / sizeof buffer[0]);
    return Utf8FromWideReplacing(buffer);
}

} // namespace

std::string StyledComponentBanner()
{
    return "Tessivo Flat Controls, non-visual component, Version " + LibraryVersion();
}

std::string StyledControlBanner()
{
    return "Tessivo Flat Controls, custom-painted control, Version " + LibraryVersion();
}

bool IsAccelerator(wchar_t ch, const std::string& caption)
{
    const auto upper = [](char16_t c) { return c < 0x80 ? static_cast<char16_t>(std::toupper(c)) : c; };
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') { // "&&" stands for a plain "&"
            ++i;
            continue;
        }
        // The marked character is the caption's next character, of however
        // many bytes; letters outside ASCII must match exactly.
        const std::u16string marked = Utf16FromUtf8Replacing(std::string_view(caption).substr(i + 1, 4));
        return !marked.empty() && upper(marked[0]) == upper(static_cast<char16_t>(ch));
    }
    return false;
}

// --- TStyledComponent ---

TStyledComponent::TStyledComponent(TComponent* owner) : TComponent(owner), version_(StyledComponentBanner())
{
}

// --- TStyledControl ---

TStyledControl::TStyledControl(TComponent* owner) : TCustomControl(owner), version_(StyledControlBanner())
{
    // The control paints all of its area (no erase first) and can be painted
    // into another canvas; TCustomControl double-buffers every paint.
    SetControlStyle(ControlStyle() | TControlStyleFlag::Opaque | TControlStyleFlag::Replicatable);
}

void TStyledControl::Redraw()
{
    if (!RedrawLocked)
        Invalidate();
}

void TStyledControl::DoBorderChanged()
{
    RedrawIf(TRedrawTrigger::BorderChanged);
}
void TStyledControl::DoEnabledChanged()
{
    RedrawIf(TRedrawTrigger::EnabledChanged);
}
void TStyledControl::DoParentColorChanged()
{
    RedrawIf(TRedrawTrigger::ParentColorChanged);
}
void TStyledControl::DoParentFontChanged()
{
    RedrawIf(TRedrawTrigger::ParentFontChanged);
}
void TStyledControl::DoPositionChanged()
{
    RedrawIf(TRedrawTrigger::PositionChanged);
}
void TStyledControl::DoResized()
{
    RedrawIf(TRedrawTrigger::Resized);
}
void TStyledControl::DoTextChanged()
{
    RedrawIf(TRedrawTrigger::TextChanged);
}
void TStyledControl::DoMouseMove(int, int)
{
    RedrawIf(TRedrawTrigger::MouseMove);
}

void TStyledControl::DoFocusChanged()
{
    if (Focused())
        VisualState |= TVisualStateFlag::Focused;
    else
        VisualState &= ~(TVisualStateFlag::Focused | TVisualStateFlag::Pressed);
    TForm* form = ParentForm();
    ActiveControlIsStyled = form && dynamic_cast<TStyledControl*>(form->ActiveControl()) != nullptr;
    RedrawIf(TRedrawTrigger::FocusChanged);
}

void TStyledControl::DoMousePressed()
{
    if (!Focused() && CanFocus())
        SetFocus();
    VisualState |= TVisualStateFlag::Pressed;
    RedrawIf(TRedrawTrigger::MouseDown);
}

void TStyledControl::DoMouseEnter()
{
    VisualState |= TVisualStateFlag::Hot;
    RedrawIf(TRedrawTrigger::MouseEnter);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TStyledControl::DoMouseLeave()
{
    VisualState &= ~TVisualStateFlag::Hot;
    RedrawIf(TRedrawTrigger::MouseLeave);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TStyledControl::DoMouseReleased()
{
    VisualState &= ~TVisualStateFlag::Pressed;
    RedrawIf(TRedrawTrigger::MouseUp);
    // A styled control passed over while the mouse was held becomes hot now
    // that the button is released over it.
    POINT cursor;
    GetCursorPos(&cursor);
    TWinControl* under = nullptr;
    for (HWND window = WindowFromPoint(cursor); window && !under; window = GetParent(window))
        under = TWinControl::FromHandle(window);
    if (under && under != this)
        if (auto* styled = dynamic_cast<TStyledControl*>(under))
            styled->DoMouseEnter();
}

void TStyledControl::LockRedraw()
{
    RedrawLocked = true;
}

void TStyledControl::UnlockRedraw()
{
    RedrawLocked = false;
    Redraw();
}

void TStyledControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button == TMouseButton::Left) {
        LeftButtonDown = true;
        DoMousePressed();
    }
}

void TStyledControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    if (LeftButtonDown && button == TMouseButton::Left) {
        LeftButtonDown = false;
        DoMouseReleased();
    }
}

void TStyledControl::Click()
{
    if (TForm* form = ParentForm())
        form->SetModalResult(ModalResult);
    TCustomControl::Click();
}

void TStyledControl::WndProc(TMessage& message)
{
    if (message.Msg == CM_DIALOGCHAR) {
        const auto ch = static_cast<wchar_t>(message.WParam);
        if (IsAccelerator(ch, Caption()) && CanFocus() && (Focused() || GetKeyState(VK_MENU) < 0)) {
            Click();
            message.Result = 1;
            return;
        }
        TCustomControl::WndProc(message);
        return;
    }

    // The framework handles the message first, then the control reacts.
    TCustomControl::WndProc(message);
    switch (message.Msg) {
    case CM_TEXTCHANGED:
        DoTextChanged();
        break;
    case CM_BORDERCHANGED:
        DoBorderChanged();
        break;
    case CM_ENABLEDCHANGED:
        DoEnabledChanged();
        break;
    case CM_FOCUSCHANGED:
        DoFocusChanged();
        break;
    case CM_MOUSEENTER:
        DoMouseEnter();
        break;
    case CM_MOUSELEAVE:
        DoMouseLeave();
        break;
    case WM_MOUSEMOVE:
        DoMouseMove(static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam)));
        break;
    case CM_PARENTCOLORCHANGED:
        DoParentColorChanged();
        break;
    case CM_PARENTFONTCHANGED:
        DoParentFontChanged();
        break;
    case WM_WINDOWPOSCHANGED:
        DoPositionChanged();
        break;
    case WM_SIZE:
        DoResized();
        break;
    }
}

// --- TStyleSettings ---

void TStyleSettings::SetTheme(TTheme theme)
{
    if (theme_ == theme)
        return;
    theme_ = theme;
    if (OwnerControl)
        OwnerControl->Redraw();
}

void TStyleSettings::SetUseStyleManager(bool use)
{
    if (useStyleManager_ == use)
        return;
    useStyleManager_ = use;
    if (OwnerControl)
        OwnerControl->Redraw();
}

TTheme TStyleSettings::EffectiveTheme() const
{
    if (useStyleManager_ && OwnerControl && OwnerControl->StyleManager())
        return OwnerControl->StyleManager()->Theme();
    return theme_;
}

// --- TStyleManager ---

TStyleManager::TStyleManager(TComponent* owner) : TStyledComponent(owner)
{
}

TStyleManager::~TStyleManager()
{
    RedrawControls();
    registered_.clear();
    // Tell the linked controls while this object is still a style manager,
    // so they recognise it and drop their link.
    NotifyDestruction();
}

void TStyleManager::RegisterControls(const std::vector<TStyledControl*>& controls)
{
    for (TStyledControl* control : controls)
        if (control && std::find(registered_.begin(), registered_.end(), control) == registered_.end())
            registered_.push_back(control);
}

void TStyleManager::UnregisterControls(const std::vector<TStyledControl*>& controls)
{
    for (TStyledControl* control : controls)
        registered_.erase(std::remove(registered_.begin(), registered_.end(), control), registered_.end());
}

void TStyleManager::RedrawControls()
{
    for (TStyledControl* control : std::vector<TStyledControl*>(registered_))
        control->Redraw();
}

void TStyleManager::SetTheme(TTheme theme)
{
    if (theme_ == theme)
        return;
    theme_ = theme;
    if (OnThemeChanged)
        OnThemeChanged(this);
    RedrawControls();
}

void TStyleManager::Notification(TComponent* component, TOperation operation)
{
    TStyledComponent::Notification(component, operation);
    // A registered control that goes is no longer redrawn.
    if (operation == TOperation::Remove)
        registered_.erase(std::remove(registered_.begin(), registered_.end(), component), registered_.end());
}

// --- TThemedControl ---

TThemedControl::TThemedControl(TComponent* owner) : TStyledControl(owner), style_(this)
{
}

TThemedControl::~TThemedControl()
{
    if (styleManager_) {
        styleManager_->UnregisterControls({this});
        RemoveFreeNotification(styleManager_);
    }
}

void TThemedControl::SetStyleManager(TStyleManager* manager)
{
    if (manager == styleManager_)
        return;
    if (styleManager_) {
        styleManager_->UnregisterControls({this});
        RemoveFreeNotification(styleManager_);
    }
    if (manager) {
        manager->RegisterControls({this});
        // Hear of the manager's end even when another component owns it.
        FreeNotification(manager);
    }
    styleManager_ = manager;
    Redraw();
}

void TThemedControl::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::Remove && dynamic_cast<TStyleManager*>(component))
        styleManager_ = nullptr;
    TStyledControl::Notification(component, operation);
}
