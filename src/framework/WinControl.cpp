#include "framework/WinControl.h"

#include "core/Exceptions.h"
#include "core/ScopeExit.h"
#include "framework/Accessible.h"
#include "framework/Application.h"
#include "framework/DroppedFiles.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "platform/ProgramIcon.h"
#include "platform/WideText.h"

#include <algorithm>
#include <cstdio>
#include <oleacc.h>
#include <set>
#include <windowsx.h>

namespace {
const char* const kDefaultClassName = "TessivoControl";
} // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner)
{
    windowed_ = true;
}

TWinControl::~TWinControl()
{
    // Children go with their parent: free them (they leave our list as they go).
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        delete child;
    }
    if (handle_)
        DestroyWnd();
}

TWinControl* TWinControl::FromHandle(HWND window)
{
    if (!window)
        return nullptr;
    return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND TWinControl::Handle()
{
    if (!handle_) {
        // A child window needs its parent's window first; making the parent's
        // window makes ours too.
        if (Parent())
            Parent()->Handle();
        if (!handle_)
            CreateWnd();
    }
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = Caption();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle() & TControlStyleFlag::AcceptsControls)
        params.Style |= WS_CLIPCHILDREN;
    if (Visible())
        params.Style |= WS_VISIBLE;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (TabStop())
        params.Style |= WS_TABSTOP;
    // What DragAcceptFiles sets, given at creation: the shell's DLL is then
    // loaded at the first drop, not while the window is made.
    if (acceptsDroppedFiles_)
        params.ExStyle |= WS_EX_ACCEPTFILES;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = Parent() ? Parent()->Handle() : nullptr;
    params.WinClassName = kDefaultClassName;
    params.WindowClassStyle = CS_VREDRAW | CS_HREDRAW;
    if (ControlStyle() & TControlStyleFlag::DoubleClicks)
        params.WindowClassStyle |= CS_DBLCLKS;
}

void TWinControl::RegisterWindowClass(const TCreateParams& params)
{
    static std::set<std::string> registered;
    if (registered.count(params.WinClassName))
        return;
    const std::wstring className = WideFromUtf8(params.WinClassName);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = params.WindowClassStyle;
    windowClass.lpfnWndProc = &TWinControl::WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadProgramIcon();
    windowClass.lpszClassName = className.c_str();
    RegisterClassExW(&windowClass);
    registered.insert(params.WinClassName);
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if (params.WndParent == nullptr && (params.Style & WS_CHILD))
        return; // a child window can only be made inside its parent's
    CreateWindowHandle(params);
    if (!handle_)
        throw Exception("Cannot create the window of " + (Name.empty() ? std::string("a control") : Name));
    if (!params.SystemClassName.empty())
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    for (TControl* child : controls_)
        if (auto* windowed = dynamic_cast<TWinControl*>(child); windowed && !windowed->handle_)
            windowed->CreateWnd();
    Realign();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring caption = WideFromUtf8(params.Caption);
    if (params.SystemClassName.empty()) {
        // The class name carries the class style, so kinds that differ in it
        // (double clicks, redraw on resize) get classes of their own.
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%X", params.WindowClassStyle);
        TCreateParams named = params;
        if (!params.ExactClassName)
            named.WinClassName += suffix;
        RegisterWindowClass(named);
        CreateWindowExW(params.ExStyle, WideFromUtf8(named.WinClassName).c_str(), caption.c_str(),
                        params.Style, params.X, params.Y, params.Width, params.Height, params.WndParent,
                        nullptr, instance, this);
    } else {
        HWND window = CreateWindowExW(params.ExStyle, WideFromUtf8(params.SystemClassName).c_str(),
                                      caption.c_str(), params.Style, params.X, params.Y, params.Width,
                                      params.Height, params.WndParent, nullptr, instance, nullptr);
        if (window) {
            handle_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            defaultProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::WindowProcedure)));
        }
    }
}

void TWinControl::DestroyWnd()
{
    // Children first, so each can keep what its window holds.
    for (TControl* child : controls_)
        if (auto* windowed = dynamic_cast<TWinControl*>(child); windowed && windowed->handle_)
            windowed->DestroyWnd();
    if (handle_) {
        HWND window = handle_;
        DestroyWindow(window);
        handle_ = nullptr;
    }
}

void TWinControl::RecreateWnd()
{
    if (!handle_)
        return;
    DestroyWnd();
    CreateWnd();
}

LRESULT CALLBACK TWinControl::WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* control = static_cast<TWinControl*>(create->lpCreateParams)) {
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
            control->handle_ = window;
        }
    }
    TWinControl* control = FromHandle(window);
    if (!control)
        return DefWindowProcW(window, msg, wParam, lParam);

    TMessage message{msg, wParam, lParam, 0};
    // Nothing thrown by a handler crosses back into user32.
    if (!TApplication::Guarded([&] { control->WndProc(message); }))
        message.Result = 0;
    if (msg == WM_NCDESTROY) {
        WNDPROC previous = control->defaultProc_;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (previous)
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        control->defaultProc_ = nullptr;
        if (control->handle_ == window)
            control->handle_ = nullptr;
    }
    return message.Result;
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (!handle_) {
        message.Result = 0;
        return;
    }
    if (message.Msg >= CM_BASE && message.Msg < CN_BASE + 0x400) {
        message.Result = 0; // our own messages mean nothing to the platform
        return;
    }
    message.Result = defaultProc_
                         ? CallWindowProcW(defaultProc_, handle_, message.Msg, message.WParam, message.LParam)
                         : DefWindowProcW(handle_, message.Msg, message.WParam, message.LParam);
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (handle_)
        return SendMessageW(handle_, msg, wParam, lParam);
    return TControl::Perform(msg, wParam, lParam);
}

void TWinControl::WndProc(TMessage& message)
{
    // One line per message: each reaction is a small handler below. What is
    // not listed goes to TControl, and from there to the platform.
    switch (message.Msg) {
    case WM_PAINT:
        WMPaint(message);
        break;
    case WM_PRINTCLIENT:
        WMPrintClient(message);
        break;
    case WM_ERASEBKGND:
        WMEraseBkgnd(message);
        break;
    case WM_WINDOWPOSCHANGED:
        UpdateBoundsFromWindow();
        DefaultHandler(message);
        break;
    case WM_SIZE:
        DefaultHandler(message);
        WMSize();
        break;
    case WM_ENABLE:
        DefaultHandler(message);
        WMEnable(message.WParam != 0);
        break;
    case WM_SHOWWINDOW:
        // lParam 0: shown or hidden by a ShowWindow call, not with a parent.
        WMShowWindow(message.WParam != 0, message.LParam == 0);
        DefaultHandler(message);
        break;
    case WM_SETFOCUS:
        DefaultHandler(message);
        WMSetFocus();
        break;
    case WM_KILLFOCUS:
        DefaultHandler(message);
        WMKillFocus();
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        WMKeyDown(message);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        WMKeyUp(message);
        break;
    case WM_CHAR:
        WMChar(message);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        WMMouse(message);
        break;
    case WM_MOUSELEAVE:
        WMMouseLeave();
        DefaultHandler(message);
        break;
    case WM_SETCURSOR:
        if (ShowApplicationCursor())
            message.Result = 1;
        else
            DefaultHandler(message);
        break;
    case WM_COMMAND:
        WMCommand(message);
        break;
    case WM_CONTEXTMENU:
        WMContextMenu(message);
        break;
    case WM_DROPFILES:
        WMDropFiles(message);
        break;
    case WM_NOTIFY:
        ReflectToChild(message, reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom);
        break;
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        ReflectToChild(message, reinterpret_cast<HWND>(message.LParam));
        break;
    case WM_DRAWITEM:
        ReflectToChild(message, reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem);
        break;
    case WM_MEASUREITEM:
        WMMeasureItem(message);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged();
        break;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        Broadcast(message);
        break;
    case CM_FOCUSCHANGED:
        CMFocusChanged(message);
        break;
    case CM_COLORCHANGED:
        CMColorChanged();
        break;
    case CM_FONTCHANGED:
        CMFontChanged();
        break;
    case CM_TEXTCHANGED:
        DefaultHandler(message);
        break;
    case CM_PARENTSHOWHINTCHANGED:
        CMParentShowHintChanged(message);
        break;
    case WM_GETOBJECT:
        if (!AnswerAccessibleObject(handle_, message))
            DefaultHandler(message);
        break;
    case CM_ACCESSIBLEACTION:
        if (handle_ && IsWindowEnabled(handle_))
            DoAccessibleAction();
        break;
    default:
        TControl::WndProc(message);
        break;
    }
}

void TWinControl::WMPaint(TMessage& message)
{
    if (defaultProc_) {
        DefaultHandler(message);
        return;
    }
    const gdi::PaintDC paint(handle_);
    PaintWindow(paint.Get());
}

void TWinControl::WMPrintClient(TMessage& message)
{
    if (defaultProc_)
        DefaultHandler(message);
    else
        PaintWindow(reinterpret_cast<HDC>(message.WParam));
}

void TWinControl::WMEraseBkgnd(TMessage& message)
{
    if (ControlStyle() & TControlStyleFlag::Opaque) {
        message.Result = 1; // the control paints every pixel itself
        return;
    }
    if (defaultProc_) {
        DefaultHandler(message);
        return;
    }
    FillBackground(reinterpret_cast<HDC>(message.WParam));
    message.Result = 1;
}

void TWinControl::WMSize()
{
    Realign();
    Resize();
}

void TWinControl::WMEnable(bool enabled)
{
    if (!enabled)
        PassFocusOn();
}

void TWinControl::WMShowWindow(bool shown, bool byShowWindow)
{
    // Sent before the window is hidden: the focus leaves while the window
    // still has it.
    if (!shown && byShowWindow)
        PassFocusOn();
}

void TWinControl::WMSetFocus()
{
    if (TForm* form = ParentForm(); form && form != this)
        form->SetFocusedControl(this);
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::WMKillFocus()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::WMKeyDown(TMessage& message)
{
    // KeyDown may swallow the key by setting it to 0.
    WORD key = static_cast<WORD>(message.WParam);
    KeyDown(key, KeyboardShiftState());
    if (key != 0)
        DefaultHandler(message);
}

void TWinControl::WMKeyUp(TMessage& message)
{
    WORD key = static_cast<WORD>(message.WParam);
    KeyUp(key, KeyboardShiftState());
    if (key != 0)
        DefaultHandler(message);
}

void TWinControl::WMChar(TMessage& message)
{
    // KeyPress may swallow the character (0) or replace it. The window is
    // wide, so the character is a UTF-16 unit (a character outside the
    // basic plane comes as two messages).
    wchar_t key = static_cast<wchar_t>(message.WParam);
    KeyPress(key);
    if (key != 0) {
        message.WParam = static_cast<WPARAM>(key);
        DefaultHandler(message);
    }
}

void TWinControl::WMMouse(TMessage& message)
{
    const POINT point{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
    if (message.Msg == WM_MOUSEMOVE)
        TrackMouse(point);
    // A press or move over a non-windowed child belongs to that child.
    if (GetCapture() != handle_) {
        if (TControl* child = ControlAtPos(point)) {
            TMessage forwarded = message;
            forwarded.LParam = MAKELPARAM(point.x - child->Left(), point.y - child->Top());
            child->WndProc(forwarded);
            DefaultHandler(message);
            return;
        }
    }
    DefaultHandler(message);
    const bool press = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK;
    if (press && (ControlStyle() & TControlStyleFlag::CaptureMouse) && !defaultProc_)
        SetCapture(handle_);
    if (message.Msg == WM_LBUTTONUP && GetCapture() == handle_)
        ReleaseCapture();
    HandleMouseMessage(message);
}

void TWinControl::WMMouseLeave()
{
    trackingLeave_ = false;
    // Leaving into a child window is not leaving: that child reports its own.
    if (Application && GetCapture() != handle_) {
        TControl* current = Application->MouseControl();
        if (current == this || (current && current->Parent() == this && !current->IsWindowed()))
            Application->SetMouseControl(nullptr);
    }
}

bool TWinControl::ShowApplicationCursor()
{
    // The application-wide cursor (the hourglass) wins over the window's own.
    if (!Application || Application->Cursor() == crDefault)
        return false;
    ::SetCursor(Application->SystemCursor());
    return true;
}

void TWinControl::WMCommand(TMessage& message)
{
    // A control's notification goes back to that control; a menu's or an
    // accelerator's (no control window) to the platform.
    const HWND from = reinterpret_cast<HWND>(message.LParam);
    if (from)
        ReflectToChild(message, from);
    else
        DefaultHandler(message);
}

void TWinControl::SetAcceptsDroppedFiles(bool accept)
{
    acceptsDroppedFiles_ = accept;
    if (handle_)
        AcceptDroppedFiles(handle_, accept);
}

void TWinControl::WMContextMenu(TMessage& message)
{
    // Without a menu of its own, the parent's turn (the platform passes the
    // message up).
    if (!popupMenu_) {
        DefaultHandler(message);
        return;
    }
    POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: at the control's top-left corner.
        at = {0, 0};
        ::ClientToScreen(handle_, &at);
    }
    popupMenu_->Popup(at.x, at.y);
}

void TWinControl::WMDropFiles(TMessage& message)
{
    const TDroppedFiles dropped(reinterpret_cast<HDROP>(message.WParam));
    if (OnDropFiles)
        OnDropFiles(this, dropped.Paths());
}

void TWinControl::WMMeasureItem(TMessage& message)
{
    // Menus have no item window to reflect to.
    const auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
    ReflectToChild(message, measure->CtlType == ODT_MENU ? nullptr : GetDlgItem(handle_, measure->CtlID));
}

void TWinControl::CMEnabledChanged()
{
    if (handle_)
        EnableWindow(handle_, Enabled());
    Invalidate();
}

void TWinControl::CMFocusChanged(TMessage& message)
{
    // Every control of the form hears of a focus change.
    for (TControl* child : std::vector<TControl*>(controls_))
        child->Perform(message.Msg, message.WParam, message.LParam);
}

void TWinControl::CMColorChanged()
{
    Invalidate();
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged()
{
    // A system control draws with the font it was given, ours with Font().
    if (handle_ && defaultProc_)
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    Invalidate();
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMParentShowHintChanged(TMessage& message)
{
    TControl::WndProc(message);
    NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::ReflectToChild(TMessage& message, HWND child)
{
    TWinControl* target = child && child != handle_ ? FromHandle(child) : nullptr;
    if (target && IsChild(handle_, child)) {
        message.Result = target->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    } else {
        DefaultHandler(message);
    }
}

void TWinControl::TrackMouse(POINT clientPoint)
{
    if (!Application)
        return;
    TControl* target = this;
    if (GetCapture() == handle_) {
        // While we hold the capture, only we hear of entering and leaving.
        RECT client;
        GetClientRect(handle_, &client);
        if (!PtInRect(&client, clientPoint))
            target = nullptr;
    } else if (TControl* child = ControlAtPos(clientPoint)) {
        target = child;
    }
    Application->SetMouseControl(target);
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
}

void TWinControl::UpdateBoundsFromWindow()
{
    RECT rect;
    GetWindowRect(handle_, &rect);
    if (HWND parent = GetParent(handle_); parent && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    const bool resized = rect.right - rect.left != Width() || rect.bottom - rect.top != Height();
    left_ = rect.left;
    top_ = rect.top;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    if (resized && Parent())
        Parent()->Realign();
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    if (!handle_) {
        TControl::SetBounds(left, top, width, height);
        return;
    }
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    // The window reports the new bounds back through WM_WINDOWPOSCHANGED;
    // a control that insists on its own size (a tool button) has its way.
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TWinControl::ClientRect() const
{
    RECT client{0, 0, Width(), Height()};
    if (handle_)
        GetClientRect(handle_, &client);
    return client;
}

void TWinControl::SetVisible(bool visible)
{
    if (Visible() == visible)
        return;
    TControl::SetVisible(visible);
    if (handle_)
        ShowWindow(handle_, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::SetCaption(const std::string& text)
{
    if (Caption() == text)
        return;
    if (handle_)
        SetWindowTextW(handle_, WideFromUtf8(text).c_str());
    TControl::SetCaption(text);
}

void TWinControl::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_, nullptr, !(ControlStyle() & TControlStyleFlag::Opaque));
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    control->parent_ = this;
    control->TakeParentFont();
    control->TakeParentColor();
    if (control->parentShowHint_)
        control->showHint_ = ShowHint();
    if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && handle_ && !windowed->handle_)
        windowed->CreateWnd();
    else if (!control->IsWindowed())
        control->Invalidate();
    Realign();
}

void TWinControl::RemoveControl(TControl* control)
{
    if (Application && Application->MouseControl() == control)
        Application->ControlDestroying(control);
    if (TForm* form = ParentForm())
        form->ControlRemoving(control);
    if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && windowed->handle_)
        windowed->DestroyWnd();
    else
        control->Invalidate();
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    control->parent_ = nullptr;
    Realign();
}

void TWinControl::AdjustClientRect(RECT& rect)
{
    (void)rect;
}

void TWinControl::Realign()
{
    if (aligning_)
        return;
    RECT rect = ClientRect();
    AdjustClientRect(rect);
    aligning_ = true;
    const ScopeExit aligned([this] { aligning_ = false; });
    AlignControls(rect);
}

void TWinControl::AlignControls(RECT& rect)
{
    // Top and bottom first, then left and right in what remains, then the
    // client-aligned ones fill the rest; each kind in child order.
    for (TAlign kind : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client}) {
        for (TControl* child : controls_) {
            if (child->Align() != kind || !child->Visible())
                continue;
            const int width = child->Width(), height = child->Height();
            switch (kind) {
            case TAlign::Top:
                child->SetBounds(rect.left, rect.top, rect.right - rect.left, height);
                rect.top += height;
                break;
            case TAlign::Bottom:
                child->SetBounds(rect.left, rect.bottom - height, rect.right - rect.left, height);
                rect.bottom -= height;
                break;
            case TAlign::Left:
                child->SetBounds(rect.left, rect.top, width, rect.bottom - rect.top);
                rect.left += width;
                break;
            case TAlign::Right:
                child->SetBounds(rect.right - width, rect.top, width, rect.bottom - rect.top);
                rect.right -= width;
                break;
            default:
                child->SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
                break;
            }
        }
    }
}

TControl* TWinControl::ControlAtPos(POINT point) const
{
    // The topmost (last inserted) visible non-windowed child under the point.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* child = *it;
        if (child->IsWindowed() || !child->Visible())
            continue;
        const RECT bounds = child->BoundsRect();
        if (PtInRect(&bounds, point))
            return child;
    }
    return nullptr;
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (; control; control = control->Parent())
        if (control == this)
            return true;
    return false;
}

void TWinControl::PassFocusOn()
{
    TForm* form = ParentForm();
    if (!form || form == this || !handle_)
        return;
    // Disabling a window takes the focus from it before WM_ENABLE arrives,
    // leaving it on no window at all; hiding one is announced before the
    // focus moves.
    const HWND focus = GetFocus();
    const bool holdsFocus = focus && (focus == handle_ || IsChild(handle_, focus));
    const bool lostFocus = !focus && ContainsControl(form->ActiveControl());
    if (holdsFocus || lostFocus)
        form->FocusNextAfter(this);
}

bool TWinControl::Focused() const
{
    return handle_ && GetFocus() == handle_;
}

bool TWinControl::CanFocus() const
{
    for (const TControl* control = this; control; control = control->Parent())
        if (!control->Visible() || !control->Enabled())
            return false;
    // The window itself may have been disabled or hidden directly.
    return !handle_ || (IsWindowEnabled(handle_) && (GetWindowLongW(handle_, GWL_STYLE) & WS_VISIBLE));
}

void TWinControl::SetFocus()
{
    ::SetFocus(Handle());
}

void TWinControl::Broadcast(TMessage& message)
{
    for (TControl* child : std::vector<TControl*>(controls_)) {
        message.Result = child->Perform(message.Msg, message.WParam, message.LParam);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(UINT msg)
{
    for (TControl* child : std::vector<TControl*>(controls_))
        child->Perform(msg, 0, 0);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(wchar_t& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::PaintWindow(HDC dc)
{
    if (!(ControlStyle() & TControlStyleFlag::Opaque))
        FillBackground(dc);
    PaintControls(dc);
}

void TWinControl::FillBackground(HDC dc)
{
    const RECT client = ClientRect();
    TBrush brush;
    brush.SetColor(Application->ColorScheme().Fill(Color()));
    FillRect(dc, &client, brush.Handle());
}

void TWinControl::PaintControls(HDC dc)
{
    for (TControl* child : controls_) {
        if (child->IsWindowed() || !child->Visible())
            continue;
        const gdi::SavedDC saved(dc);
        IntersectClipRect(dc, child->Left(), child->Top(), child->Left() + child->Width(),
                          child->Top() + child->Height());
        OffsetViewportOrgEx(dc, child->Left(), child->Top(), nullptr);
        child->PaintControl(dc);
    }
}

void TWinControl::PaintTo(HDC dc, int x, int y)
{
    {
        const gdi::SavedDC saved(dc);
        OffsetViewportOrgEx(dc, x, y, nullptr);
        IntersectClipRect(dc, 0, 0, Width(), Height());
        if (defaultProc_)
            SendMessageW(Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc),
                         PRF_CLIENT | PRF_ERASEBKGND | PRF_NONCLIENT);
        else
            PaintWindow(dc);
    }
    for (TControl* child : controls_)
        if (auto* windowed = dynamic_cast<TWinControl*>(child); windowed && windowed->Visible())
            windowed->PaintTo(dc, x + windowed->Left(), y + windowed->Top());
}

std::string TWinControl::AccessibleName() const
{
    if (!accessibleName_.empty())
        return accessibleName_;
    std::string name;
    const std::string& caption = Caption();
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i; // "&&" is one "&"; "&x" marks x
        name += caption[i];
    }
    const size_t first = name.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : name.substr(first, name.find_last_not_of(' ') - first + 1);
}

std::string TWinControl::AccessibleDescription() const
{
    return accessibleDescription_ ? accessibleDescription_() : Hint();
}

long TWinControl::AccessibleRole() const
{
    return ROLE_SYSTEM_CLIENT;
}
