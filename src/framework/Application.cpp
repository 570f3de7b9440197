#include "framework/Application.h"

#include "core/Exceptions.h"
#include "framework/Form.h"
#include "platform/ContrastTheme.h"
#include "platform/WideText.h"

#include <commctrl.h>

TApplication* Application = nullptr;

TApplication::TApplication()
    : TComponent(nullptr), instance_(GetModuleHandleW(nullptr)), colorScheme_(ContrastThemeOn)
{
    Application = this;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES |
                                                       ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

namespace {

BOOL CALLBACK RepaintWindow(HWND window, LPARAM)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

} // namespace

void TApplication::SystemColorsChanged()
{
    colorScheme_.Refresh();
    // Every window of the program, hidden ones too, paints anew; the brushes
    // and pens made of system colours are made again as they are used.
    EnumThreadWindows(GetCurrentThreadId(), RepaintWindow, 0);
}

TApplication::~TApplication()
{
    // Forms and other owned components go first, while Application is still
    // there for them to report to.
    while (!Components().empty())
        delete Components().back();
    if (Application == this)
        Application = nullptr;
}

void TApplication::FormCreated(TForm* form)
{
    if (!mainForm_)
        mainForm_ = form;
}

void TApplication::FormDestroying(TForm* form)
{
    if (mainForm_ == form)
        mainForm_ = nullptr;
}

void TApplication::Run()
{
    if (ShowMainForm && mainForm_)
        Guarded([this] { mainForm_->Show(); });
    MSG msg;
    while (!terminated_) {
        EnterOleApartmentWhenIdle();
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            terminated_ = true;
            break;
        }
        DispatchOne(msg);
    }
}

int TApplication::Run(const std::function<void()>& createForms)
{
    if (!Guarded(createForms))
        return 1;
    Run();
    return 0;
}

void TApplication::EnterOleApartmentWhenIdle()
{
    // Nothing waiting means the windows have painted: the start is over as
    // far as the user can see.
    MSG waiting;
    if (!ole_.Entered() && !PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE))
        ole_.Enter();
}

void TApplication::ModalLoopEnded()
{
    if (--modalLoops_ == 0 && OnModalLoopsEnded)
        OnModalLoopsEnded();
}

TModalLoop::TModalLoop() : application_(Application)
{
    if (application_)
        application_->ModalLoopStarted();
}

TModalLoop::~TModalLoop()
{
    if (application_)
        application_->ModalLoopEnded();
}

void TApplication::Terminate()
{
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        DispatchOne(msg);
    }
}

void TApplication::DispatchOne(MSG& msg)
{
    bool handled = false;
    Guarded([&] { handled = IsKeyMessage(msg); });
    if (!handled) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool TApplication::IsKeyMessage(MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR)
        return false;
    // The control of ours that the keyboard message is for.
    TWinControl* control = nullptr;
    for (HWND window = msg.hwnd; window && !control; window = GetParent(window))
        control = TWinControl::FromHandle(window);
    TForm* form = control ? control->ParentForm() : nullptr;
    if (!form)
        form = dynamic_cast<TForm*>(control);
    if (!form)
        return false;
    const LRESULT wants = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    switch (msg.message) {
    case WM_KEYDOWN:
        // Enter, Escape and Tab are offered to the form's controls unless the
        // focused control wants them itself.
        if (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE && msg.wParam != VK_TAB)
            return false;
        if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))
            return false;
        if (msg.wParam == VK_TAB && (wants & DLGC_WANTTAB))
            return false;
        return form->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam) != 0;
    case WM_CHAR:
        if (wants & DLGC_WANTCHARS)
            return false;
        return form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
    case WM_SYSCHAR:
        return form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
    }
    return false;
}

void TApplication::HandleException(const std::exception& error)
{
    const std::string text = WithFullStop(error.what());
    if (OnShowError) {
        OnShowError(Title, text);
        return;
    }
    HWND owner = GetActiveWindow();
    const TModalLoop modal;
    MessageBoxW(owner, WideFromUtf8Replacing(text).c_str(), WideFromUtf8Replacing(Title).c_str(),
                MB_OK | MB_ICONERROR);
}

int TApplication::Ask(const std::string& text, UINT flags)
{
    const TModalLoop modal;
    return MessageBoxW(GetActiveWindow(), WideFromUtf8Replacing(text).c_str(),
                       WideFromUtf8Replacing(Title).c_str(), flags);
}

void TApplication::ReportException(const std::exception& error) noexcept
{
    try {
        if (Application) {
            Application->HandleException(error);
            return;
        }
        MessageBoxW(nullptr, WideFromUtf8Replacing(WithFullStop(error.what())).c_str(), L"Error",
                    MB_OK | MB_ICONERROR | MB_TASKMODAL);
    } catch (...) {
        // Reporting failed (no memory for the text, a failing handler hook):
        // nothing more can be done here, and nothing may cross the barrier.
    }
}

void TApplication::ReportUnknownException() noexcept
{
    try {
        ReportException(Exception("Unexpected error"));
    } catch (...) {
        // Not even the error could be made; see ReportException.
    }
}

void TApplication::SetCursor(TCursor cursor)
{
    if (cursor_ == cursor)
        return;
    cursor_ = cursor;
    if (cursor == crDefault) {
        // Let the window under the pointer choose its own cursor again.
        POINT point;
        GetCursorPos(&point);
        HWND window = WindowFromPoint(point);
        if (window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
            const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
            SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                         MAKELPARAM(hit, WM_MOUSEMOVE));
            return;
        }
        ::SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    } else {
        ::SetCursor(SystemCursor());
    }
}

HCURSOR TApplication::SystemCursor() const
{
    return LoadCursorW(nullptr, cursor_ == crAppStart ? IDC_APPSTARTING : IDC_WAIT);
}

void TApplication::SetMouseControl(TControl* control)
{
    if (mouseControl_ == control)
        return;
    TControl* previous = mouseControl_;
    mouseControl_ = control;
    if (previous)
        previous->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(previous));
    if (control && mouseControl_ == control)
        control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
    if (OnMouseControlChanged)
        OnMouseControlChanged(mouseControl_);
}

void TApplication::ControlDestroying(TControl* control)
{
    if (mouseControl_ == control) {
        mouseControl_ = nullptr;
        if (OnMouseControlChanged)
            OnMouseControlChanged(nullptr);
    }
}
