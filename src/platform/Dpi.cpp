#include "platform/Dpi.h"

namespace {

// The awareness contexts as Windows numbers them (windef.h of newer SDKs).
using DpiContext = HANDLE;
const DpiContext kContextPerMonitor = reinterpret_cast<DpiContext>(-3);
const DpiContext kContextPerMonitorV2 = reinterpret_cast<DpiContext>(-4);

// A user32 function of a newer Windows, or nullptr on one without it.
template <class Function>
Function User32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                  : nullptr;
}

struct DpiFunctions {
    UINT(WINAPI* ForWindow)(HWND) = User32Function<decltype(ForWindow)>("GetDpiForWindow");
    UINT(WINAPI* ForSystem)() = User32Function<decltype(ForSystem)>("GetDpiForSystem");
    int(WINAPI* MetricsForDpi)(int, UINT) = User32Function<decltype(MetricsForDpi)>("GetSystemMetricsForDpi");
    BOOL(WINAPI* AdjustForDpi)
    (RECT*, DWORD, BOOL, DWORD, UINT) = User32Function<decltype(AdjustForDpi)>("AdjustWindowRectExForDpi");
    DpiContext(WINAPI* ThreadContext)() =
        User32Function<decltype(ThreadContext)>("GetThreadDpiAwarenessContext");
    DpiContext(WINAPI* SetThreadContext)(DpiContext) =
        User32Function<decltype(SetThreadContext)>("SetThreadDpiAwarenessContext");
    int(WINAPI* AwarenessOf)(DpiContext) =
        User32Function<decltype(AwarenessOf)>("GetAwarenessFromDpiAwarenessContext");
};

const DpiFunctions& Functions()
{
    static const DpiFunctions functions;
    return functions;
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

TDpiAwareness AwarenessOf(DpiContext context)
{
    if (!context || !Functions().AwarenessOf)
        return TDpiAwareness::Unknown;
    switch (Functions().AwarenessOf(context)) {
    case 0:
        return TDpiAwareness::Unaware;
    case 1:
        return TDpiAwareness::SystemAware;
    case 2:
        return TDpiAwareness::PerMonitorAware;
    default:
        return TDpiAwareness::Unknown;
    }
}

} // namespace

int ScaleToDpi(int value, int dpi)
{
    return MulDiv(value, dpi, kDesignDpi);
}

int SystemDpi()
{
    if (Functions().ForSystem)
        return static_cast<int>(Functions().ForSystem());
    return ScreenDpi();
}

int WindowDpi(HWND window)
{
    if (window && Functions().ForWindow) {
        const UINT dpi = Functions().ForWindow(window);
        if (dpi != 0)
            return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi)
{
    if (Functions().MetricsForDpi)
        return Functions().MetricsForDpi(index, static_cast<UINT>(dpi));
    // Before Windows 10 the metrics are the system DPI's: scale them from there.
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, int dpi)
{
    if (!Functions().AdjustForDpi || !Functions().AdjustForDpi(&client, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    return client;
}

TDpiAwareness ThreadDpiAwareness()
{
    return Functions().ThreadContext ? AwarenessOf(Functions().ThreadContext()) : TDpiAwareness::Unknown;
}

TPhysicalPixelsScope::TPhysicalPixelsScope()
{
    // A thread of the program, declared per-monitor aware, needs no change.
    // Version 2 from Windows 10 1703 on; 1607 (and Wine 8) know version 1,
    // which sees the same physical pixels.
    if (Functions().SetThreadContext && ThreadDpiAwareness() != TDpiAwareness::PerMonitorAware) {
        previous_ = Functions().SetThreadContext(kContextPerMonitorV2);
        if (!previous_)
            previous_ = Functions().SetThreadContext(kContextPerMonitor);
    }
}

TPhysicalPixelsScope::~TPhysicalPixelsScope()
{
    if (previous_)
        Functions().SetThreadContext(static_cast<DpiContext>(previous_));
}
