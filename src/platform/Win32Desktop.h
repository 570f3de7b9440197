#pragma once
// The real desktop: the Windows directory, the folders the user may write
// and the wallpaper system call.

#include "platform/Desktop.h"

class TWin32Desktop : public IDesktop {
public:
    // GetWindowsDirectoryW, with a buffer as large as the answer needs.
    std::string WindowsDirectory() override;
    // See UserFolders.h.
    bool FolderAcceptsNewFiles(const std::string& folder) override;
    std::string UserDataFolder() override;
    // SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path,
    // SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE); a refusal raises
    // EWallpaperError with the system's reason.
    void SetDeskWallpaper(const std::string& bitmapPath) override;
    // SystemParametersInfoW(SPI_GETDESKWALLPAPER); empty when it fails.
    std::string CurrentWallpaper() override;
    // EnumDisplayMonitors; the primary screen's size alone should that fail.
    std::vector<TScreenRect> Monitors() override;
    // GetSysColor(COLOR_DESKTOP).
    uint32_t BackgroundColor() override;
};
