#include "controls/dxCore.h"

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
    LoadStringW(GetModuleHandleW(nullptr), IDS_DX_VERSION, buffer, sizeof buffer / sizeof buffer[0]);
    return Utf8FromWideReplacing(buffer);
}

} // namespace

std::string dxComponentBanner()
{
    return "Tessivo Flat Controls, non-visual component, Version " + LibraryVersion();
}

std::string dxControlBanner()
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

// --- TdxCustomComponent ---

TdxCustomComponent::TdxCustomComponent(TComponent* owner) : TComponent(owner), version_(dxComponentBanner())
{
}

// --- TdxCustomControl ---

TdxCustomControl::TdxCustomControl(TComponent* owner) : TCustomControl(owner), version_(dxControlBanner())
{
    // The control paints all of its area (no erase first) and can be painted
    // into another canvas; TCustomControl double-buffers every paint.
    SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
}

void TdxCustomControl::Redraw()
{
    if (!RedrawLocked)
        Invalidate();
}

void TdxCustomControl::DoBorderChanged()
{
    RedrawIf(rtBorderChanged);
}
void TdxCustomControl::DoEnabledChanged()
{
    RedrawIf(rtEnabledChanged);
}
void TdxCustomControl::DoParentColorChanged()
{
    RedrawIf(rtParentColorChanged);
}
void TdxCustomControl::DoParentFontChanged()
{
    RedrawIf(rtParentFontChanged);
}
void TdxCustomControl::DoPositionChanged()
{
    RedrawIf(rtPositionChanged);
}
void TdxCustomControl::DoResized()
{
    RedrawIf(rtResized);
}
void TdxCustomControl::DoTextChanged()
{
    RedrawIf(rtTextChanged);
}
void TdxCustomControl::DoMouseMove(int, int)
{
    RedrawIf(rtMouseMove);
}

void TdxCustomControl::DoFocusChanged()
{
    if (Focused())
        VisualState |= vsFocused;
    else
        VisualState &= ~(vsFocused | vsPressed);
    TForm* form = ParentForm();
    ActiveControlIsStyled = form && dynamic_cast<TdxCustomControl*>(form->ActiveControl()) != nullptr;
    RedrawIf(rtFocusChanged);
}

void TdxCustomControl::DoMousePressed()
{
    if (!Focused() && CanFocus())
        SetFocus();
    VisualState |= vsPressed;
    RedrawIf(rtMouseDown);
}

void TdxCustomControl::DoMouseEnter()
{
    VisualState |= vsHot;
    RedrawIf(rtMouseEnter);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TdxCustomControl::DoMouseLeave()
{
    VisualState &= ~vsHot;
    RedrawIf(rtMouseLeave);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TdxCustomControl::DoMouseReleased()
{
    VisualState &= ~vsPressed;
    RedrawIf(rtMouseUp);
    // A styled control passed over while the mouse was held becomes hot now
    // that the button is released over it.
    POINT cursor;
    GetCursorPos(&cursor);
    TWinControl* under = nullptr;
    for (HWND window = WindowFromPoint(cursor); window && !under; window = GetParent(window))
        under = TWinControl::FromHandle(window);
    if (under && under != this)
        if (auto* styled = dynamic_cast<TdxCustomControl*>(under))
            styled->DoMouseEnter();
}

void TdxCustomControl::LockRedraw()
{
    RedrawLocked = true;
}

void TdxCustomControl::UnlockRedraw()
{
    RedrawLocked = false;
    Redraw();
}

void TdxCustomControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button == TMouseButton::mbLeft) {
        LeftButtonDown = true;
        DoMousePressed();
    }
}

void TdxCustomControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    if (LeftButtonDown && button == TMouseButton::mbLeft) {
        LeftButtonDown = false;
        DoMouseReleased();
    }
}

void TdxCustomControl::Click()
{
    if (TForm* form = ParentForm())
        form->SetModalResult(ModalResult);
    TCustomControl::Click();
}

void TdxCustomControl::WndProc(TMessage& message)
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

// --- TdxStyle ---

void TdxStyle::SetTheme(TdxTheme theme)
{
    if (theme_ == theme)
        return;
    theme_ = theme;
    if (OwnerControl)
        OwnerControl->Redraw();
}

void TdxStyle::SetUseStyleManager(bool use)
{
    if (useStyleManager_ == use)
        return;
    useStyleManager_ = use;
    if (OwnerControl)
        OwnerControl->Redraw();
}

TdxTheme TdxStyle::EffectiveTheme() const
{
    if (useStyleManager_ && OwnerControl && OwnerControl->StyleManager())
        return OwnerControl->StyleManager()->Theme();
    return theme_;
}

// --- TdxStyleManager ---

TdxStyleManager::TdxStyleManager(TComponent* owner) : TdxCustomComponent(owner)
{
}

TdxStyleManager::~TdxStyleManager()
{
    RedrawControls();
    registered_.clear();
    // Tell the linked controls while this object is still a style manager,
    // so they recognise it and drop their link.
    NotifyDestruction();
}

void TdxStyleManager::RegisterControls(const std::vector<TdxCustomControl*>& controls)
{
    for (TdxCustomControl* control : controls)
        if (control && std::find(registered_.begin(), registered_.end(), control) == registered_.end())
            registered_.push_back(control);
}

void TdxStyleManager::UnregisterControls(const std::vector<TdxCustomControl*>& controls)
{
    for (TdxCustomControl* control : controls)
        registered_.erase(std::remove(registered_.begin(), registered_.end(), control), registered_.end());
}

void TdxStyleManager::RedrawControls()
{
    for (TdxCustomControl* control : std::vector<TdxCustomControl*>(registered_))
        control->Redraw();
}

void TdxStyleManager::SetTheme(TdxTheme theme)
{
    if (theme_ == theme)
        return;
    theme_ = theme;
    if (OnThemeChanged)
        OnThemeChanged(this);
    RedrawControls();
}

void TdxStyleManager::Notification(TComponent* component, TOperation operation)
{
    TdxCustomComponent::Notification(component, operation);
    // A registered control that goes is no longer redrawn.
    if (operation == TOperation::opRemove)
        registered_.erase(std::remove(registered_.begin(), registered_.end(), component), registered_.end());
}

// --- TdxCustomStyleControl ---

TdxCustomStyleControl::TdxCustomStyleControl(TComponent* owner) : TdxCustomControl(owner), style_(this)
{
}

TdxCustomStyleControl::~TdxCustomStyleControl()
{
    if (styleManager_) {
        styleManager_->UnregisterControls({this});
        RemoveFreeNotification(styleManager_);
    }
}

void TdxCustomStyleControl::SetStyleManager(TdxStyleManager* manager)
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

void TdxCustomStyleControl::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove && dynamic_cast<TdxStyleManager*>(component))
        styleManager_ = nullptr;
    TdxCustomControl::Notification(component, operation);
}
