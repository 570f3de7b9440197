#pragma once
// Dots per inch: the window's, the system's and the metrics at a given DPI,
// and the process's awareness of them.
//
// The calls that tell a window's own DPI exist from Windows 10 1607 on;
// they are looked up in user32 at run time, and on Windows 7 and 8.1 the
// answers fall back to the screen's DPI (which a system-aware or per-monitor
// aware process is told truly there).

#include <windows.h>

#include <cstdint>

// The DPI every size in the layouts is written for.
inline constexpr int kDesignDpi = 96;

// `value` at `dpi`: the one rounding rule of every scaled size (to the
// nearest pixel, halves away from zero), so edges scaled alone meet again.
int ScaleToDpi(int value, int dpi);

// The DPI the system's windows are made at (the primary monitor's at logon).
int SystemDpi();
// The DPI of `window`: its monitor's for a per-monitor aware process.
int WindowDpi(HWND window);
// A system metric (SM_CXSMICON, ...) as it is at `dpi`.
int SystemMetricForDpi(int index, int dpi);
// The window rectangle around a client rectangle, frame sized for `dpi`.
RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, int dpi);

// How a thread or window sees coordinates: as Windows scales them for an
// unaware process, at the system's DPI, or in each monitor's own pixels.
enum class TDpiAwareness : uint8_t { Unaware, SystemAware, PerMonitorAware, Unknown };
TDpiAwareness ThreadDpiAwareness();

// While it lives, the calling thread sees physical pixels (per-monitor
// aware) whatever the process was declared as; then its awareness is back.
// On systems without thread awareness it changes nothing: there the
// manifest's declaration holds for the whole process.
class TPhysicalPixelsScope {
public:
    TPhysicalPixelsScope();
    ~TPhysicalPixelsScope();
    TPhysicalPixelsScope(const TPhysicalPixelsScope&) = delete;
    TPhysicalPixelsScope& operator=(const TPhysicalPixelsScope&) = delete;

private:
    void* previous_ = nullptr;
};
