#include "framework/Timer.h"

#include "core/Exceptions.h"
#include "framework/Application.h"

namespace {
const wchar_t* const kTimerWindowClass = L"TessivoTimerWindow";
const UINT_PTR kTimerId = 1;
} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
}

TTimer::~TTimer()
{
    if (!window_)
        return;
    if (running_)
        KillTimer(window_, kTimerId);
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

HWND TTimer::WindowHandle()
{
    // Made when the timer first runs: most of a program's timers wait for
    // an act of the user, and each window costs the start a little.
    if (window_)
        return window_;
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &TTimer::TimerWindowProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kTimerWindowClass;
        RegisterClassW(&windowClass);
        registered = true;
    }
    // A message-only window of its own receives the ticks.
    window_ = CreateWindowExW(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_)
        throw EOutOfResources::NoTimers();
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return window_;
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled_ != enabled) {
        enabled_ = enabled;
        UpdateTimer();
    }
}

void TTimer::SetInterval(unsigned interval)
{
    if (interval_ != interval) {
        interval_ = interval;
        UpdateTimer();
    }
}

void TTimer::SetOnTimer(TNotifyEvent onTimer)
{
    onTimer_ = std::move(onTimer);
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (running_) {
        KillTimer(window_, kTimerId);
        running_ = false;
    }
    if (enabled_ && interval_ != 0 && onTimer_) {
        if (SetTimer(WindowHandle(), kTimerId, interval_, nullptr) == 0)
            throw EOutOfResources::NoTimers();
        running_ = true;
    }
}

void TTimer::Tick()
{
    if (onTimer_)
        onTimer_(this);
}

LRESULT CALLBACK TTimer::TimerWindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TIMER) {
        if (auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            TApplication::Guarded([timer] { timer->Tick(); });
            return 0;
        }
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}
