#include "platform/Win32Desktop.h"

#include "core/Exceptions.h"
#include "platform/SystemError.h"
#include "platform/UserFolders.h"
#include "platform/WideText.h"

#include <algorithm>
#include <exception>
#include <vector>
#include <windows.h>

namespace {

// Collects each monitor's rectangle, the primary one first. Nothing may be
// thrown through the system's callback: a failure ends the enumeration.
BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM collected)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        return TRUE;
    const RECT& r = info.rcMonitor;
    auto& monitors = *reinterpret_cast<std::vector<TScreenRect>*>(collected);
    try {
        const TScreenRect rect{r.left, r.top, r.right, r.bottom};
        if (info.dwFlags & MONITORINFOF_PRIMARY)
            monitors.insert(monitors.begin(), rect);
        else
            monitors.push_back(rect);
    } catch (const std::exception&) {
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string TWin32Desktop::WindowsDirectory()
{
    // A too-small buffer makes the call return the size it needs (NUL
    // included) and fill nothing; start at MAX_PATH and grow to that size.
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const UINT length = GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0)
            throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
        if (length < buffer.size())
            return Utf8FromWide(std::wstring_view(buffer.data(), length));
        buffer.resize(length + 1);
    }
    throw EInOutError::FromErrorCode(ERROR_INSUFFICIENT_BUFFER);
}

bool TWin32Desktop::FolderAcceptsNewFiles(const std::string& folder)
{
    return ::FolderAcceptsNewFiles(folder);
}

std::string TWin32Desktop::UserDataFolder()
{
    return ::UserDataFolder();
}

void TWin32Desktop::SetDeskWallpaper(const std::string& bitmapPath)
{
    // The call takes a non-const pointer; hand it a private copy.
    std::wstring path = WideFromUtf8(bitmapPath);
    if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(),
                               SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE))
        throw EWallpaperError::CannotSet(bitmapPath, SystemErrorMessage(GetLastError()));
}

std::string TWin32Desktop::CurrentWallpaper()
{
    // The call takes no buffer size: MAX_PATH is what it fills at most.
    wchar_t path[MAX_PATH + 1] = {};
    if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0))
        return {};
    path[MAX_PATH] = L'\0';
    return Utf8FromWideReplacing(path);
}

std::vector<TScreenRect> TWin32Desktop::Monitors()
{
    std::vector<TScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty() || monitors.front().Empty())
        return {TScreenRect{0, 0, std::max(1, GetSystemMetrics(SM_CXSCREEN)),
                            std::max(1, GetSystemMetrics(SM_CYSCREEN))}};
    return monitors;
}

uint32_t TWin32Desktop::BackgroundColor()
{
    const COLORREF colour = GetSysColor(COLOR_DESKTOP); // 0x00BBGGRR
    return static_cast<uint32_t>(GetRValue(colour)) << 16 | static_cast<uint32_t>(GetGValue(colour)) << 8 |
           GetBValue(colour);
}
