#include "app/TaskbarButton.h"

#include "core/Exceptions.h"
#include "platform/ProgramIcon.h"
#include "platform/SystemError.h"
#include "platform/WideText.h"
#include "platform/WindowThumbnail.h"

namespace {

const wchar_t* const kClassName = L"TessivoTaskbarButton";

void RegisterButtonClass(WNDPROC procedure)
{
    WNDCLASSW windowClass{};
    if (GetClassInfoW(GetModuleHandleW(nullptr), kClassName, &windowClass))
        return;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadProgramIcon();
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
}

} // namespace

TTaskbarButton::TTaskbarButton(const std::string& title, std::function<HWND()> mainWindow)
    : mainWindow_(std::move(mainWindow))
{
    RegisterButtonClass(&TTaskbarButton::WindowProcedure);
    // A captioned popup of no size in the middle of the screen: the taskbar
    // lists it, nobody sees it.
    window_ = CreateWindowExW(0, kClassName, WideFromUtf8(title).c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_)
        throw EOutOfResources("Cannot create the taskbar button: " + SystemErrorMessage(GetLastError()));
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowIconInsteadOfThumbnail(window_);
}

TTaskbarButton::~TTaskbarButton()
{
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

void TTaskbarButton::SetShown(bool shown)
{
    if (!shown)
        ShowWindow(window_, SW_HIDE);
    else
        ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOWNOACTIVATE);
}

LRESULT CALLBACK TTaskbarButton::WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TTaskbarButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    HWND main = self ? self->mainWindow_() : nullptr;
    if (main) {
        switch (msg) {
        case WM_CLOSE:
            // The taskbar's "Close": the main window decides what closing means.
            PostMessageW(main, WM_CLOSE, 0, 0);
            return 0;
        case WM_ACTIVATE:
            // Clicking the button activates it; the main window takes over.
            if (LOWORD(wParam) != WA_INACTIVE && IsWindowVisible(main) && IsWindowEnabled(main))
                SetForegroundWindow(main);
            return 0;
        default:
            break;
        }
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}
