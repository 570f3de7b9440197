#include "framework/Form.h"

#include "framework/Application.h"
#include "platform/Dpi.h"

#include <algorithm>

TForm::TForm(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(ControlStyle() | TControlStyleFlag::AcceptsControls);
    visible_ = false; // a form is shown by Show, never by being created
    if (Application)
        Application->FormCreated(this);
}

TForm::~TForm()
{
    if (Application)
        Application->FormDestroying(this);
}

void TForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WndParent = nullptr;
    params.Style &= ~(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    params.Style |= WS_CLIPCHILDREN;
    switch (borderStyle_) {
    case TFormBorderStyle::None:
        params.Style |= WS_POPUP;
        break;
    case TFormBorderStyle::Single:
    case TFormBorderStyle::ToolWindow:
        params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        break;
    case TFormBorderStyle::Dialog:
        params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case TFormBorderStyle::Sizeable:
        params.Style |= WS_OVERLAPPEDWINDOW;
        break;
    }
    if (borderStyle_ == TFormBorderStyle::ToolWindow)
        params.ExStyle |= WS_EX_TOOLWINDOW;
    params.WinClassName = "TessivoForm";
    params.WindowClassStyle |= CS_DBLCLKS;
}

void TForm::CreateWnd()
{
    TWinControl::CreateWnd();
    if (HandleAllocated())
        SetDpi(WindowDpi(Handle()));
    if (HandleAllocated() && Visible())
        ShowWindow(Handle(), SW_SHOW);
}

void TForm::DestroyWnd()
{
    activeControl_ = nullptr;
    TWinControl::DestroyWnd();
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    if (borderStyle_ != style) {
        borderStyle_ = style;
        RecreateWnd();
    }
}

void TForm::SetPosition(TPosition position)
{
    if (position_ != position) {
        position_ = position;
        placed_ = false;
        // Placement is part of how the window is made: build it anew.
        RecreateWnd();
    }
}

void TForm::SetClientSize(int width, int height)
{
    designClient_ = {width, height};
    ApplyClientSize();
}

int TForm::ClientWidth() const
{
    const RECT client = ClientRect();
    return client.right - client.left;
}

int TForm::ClientHeight() const
{
    const RECT client = ClientRect();
    return client.bottom - client.top;
}

void TForm::PlaceWindow()
{
    if (placed_)
        return;
    placed_ = true;
    int left = Left(), top = Top();
    switch (position_) {
    case TPosition::ScreenCenter:
    case TPosition::DesktopCenter:
        left = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
        break;
    case TPosition::MainFormCenter:
    case TPosition::OwnerFormCenter: {
        TForm* center = Application ? Application->MainForm() : nullptr;
        if (auto* ownerForm = dynamic_cast<TForm*>(Owner());
            ownerForm && position_ == TPosition::OwnerFormCenter)
            center = ownerForm;
        if (center && center != this) {
            left = center->Left() + (center->Width() - Width()) / 2;
            top = center->Top() + (center->Height() - Height()) / 2;
        } else {
            left = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
            top = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
        }
        break;
    }
    default:
        return;
    }
    SetBounds(left, top, Width(), Height());
}

void TForm::Show()
{
    SetVisible(true);
    if (HandleAllocated())
        SetForegroundWindow(Handle());
}

void TForm::Hide()
{
    SetVisible(false);
}

void TForm::SetVisible(bool visible)
{
    if (visible) {
        Handle();
        PlaceWindow();
    }
    if (Visible() == visible && (!HandleAllocated() || (IsWindowVisible(Handle()) != FALSE) == visible))
        return;
    visible_ = visible;
    Perform(CM_VISIBLECHANGED, visible);
    if (HandleAllocated())
        ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
}

void TForm::Close()
{
    TCloseAction action =
        (Application && Application->MainForm() == this) ? TCloseAction::Free : TCloseAction::Hide;
    if (OnClose)
        OnClose(this, action);
    if (action == TCloseAction::None)
        return;
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else if (action == TCloseAction::Minimize)
        ShowWindow(Handle(), SW_MINIMIZE);
    else
        Hide();
}

void TForm::SetFocusedControl(TWinControl* control)
{
    activeControl_ = control;
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

namespace {

// Every windowed control inside `parent`, depth first, siblings in tab order.
void CollectInTabOrder(TWinControl& parent, std::vector<TWinControl*>& order)
{
    std::vector<TWinControl*> children;
    for (TControl* child : parent.Controls())
        if (auto* windowed = dynamic_cast<TWinControl*>(child))
            children.push_back(windowed);
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (TWinControl* child : children) {
        order.push_back(child);
        CollectInTabOrder(*child, order);
    }
}

} // namespace

TWinControl* TForm::FindNextControl(TWinControl* from, bool forward, const TWinControl* excluded)
{
    std::vector<TWinControl*> order;
    CollectInTabOrder(*this, order);
    if (!forward)
        std::reverse(order.begin(), order.end());
    // Start right after `from`; without it, at the first control.
    const auto at = std::find(order.begin(), order.end(), from);
    const size_t start = at == order.end() ? 0 : static_cast<size_t>(at - order.begin()) + 1;
    for (size_t step = 0; step < order.size(); ++step) {
        TWinControl* candidate = order[(start + step) % order.size()];
        if (candidate->TabStop() && candidate->CanFocus() &&
            !(excluded && excluded->ContainsControl(candidate)))
            return candidate;
    }
    return nullptr;
}

void TForm::SelectNext(bool forward)
{
    if (TWinControl* next = FindNextControl(activeControl_, forward, nullptr))
        next->SetFocus();
}

void TForm::FocusNextAfter(TWinControl* leaving)
{
    TWinControl* fallback = leaving->FallbackFocus();
    TWinControl* next = fallback && fallback->TabStop() && fallback->CanFocus()
                            ? fallback
                            : FindNextControl(leaving, true, leaving);
    const bool active = HandleAllocated() && GetActiveWindow() == Handle();
    if (next && active) {
        next->SetFocus(); // its WM_SETFOCUS records it and tells every control
        return;
    }
    if (active)
        ::SetFocus(Handle());
    SetFocusedControl(next);
}

void TForm::ControlRemoving(TControl* control)
{
    // Walks up from the active control only: `control` may be half destroyed.
    for (const TControl* inside = activeControl_; inside; inside = inside->Parent())
        if (inside == control) {
            activeControl_ = nullptr;
            return;
        }
}

void TForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        break;
    case CM_DIALOGKEY:
        CMDialogKey(message);
        break;
    case WM_ACTIVATE:
        TWinControl::WndProc(message);
        WMActivate(LOWORD(message.WParam) != WA_INACTIVE);
        break;
    case WM_SYSCOLORCHANGE:
        TWinControl::WndProc(message);
        WMSysColorChange(message);
        break;
    case WM_SETTINGCHANGE:
        TWinControl::WndProc(message);
        // A contrast theme turned on or off comes with its own notice.
        if (message.WParam == SPI_SETHIGHCONTRAST)
            Application->SystemColorsChanged();
        break;
    case WM_DPICHANGED:
        WMDpiChanged(message);
        break;
    default:
        TWinControl::WndProc(message);
        break;
    }
}

namespace {

BOOL CALLBACK ForwardMessage(HWND child, LPARAM message)
{
    const auto* forwarded = reinterpret_cast<const TMessage*>(message);
    SendMessageW(child, forwarded->Msg, forwarded->WParam, forwarded->LParam);
    return TRUE;
}

} // namespace

void TForm::WMSysColorChange(TMessage& message)
{
    // Only top-level windows hear of it: the system's own controls inside
    // (check boxes, lists, the spin arrows) are told, as they expect.
    EnumChildWindows(Handle(), ForwardMessage, reinterpret_cast<LPARAM>(&message));
    Application->SystemColorsChanged();
}

void TForm::CMDialogKey(TMessage& message)
{
    // Tab and Shift+Tab move through the tab order; other keys are offered
    // to the controls.
    if (message.WParam == VK_TAB && !(KeyboardShiftState() & (TShiftFlag::Alt | TShiftFlag::Ctrl))) {
        SelectNext(!(KeyboardShiftState() & TShiftFlag::Shift));
        message.Result = 1;
    } else {
        TWinControl::WndProc(message);
    }
}

void TForm::WMActivate(bool active)
{
    // Give the focus back to the control that had it.
    if (active && activeControl_ && activeControl_->HandleAllocated() && activeControl_->CanFocus())
        ::SetFocus(activeControl_->Handle());
}
