#pragma once
// The desktop and folder services the wallpaper and the last list need.
// TWin32Desktop (Win32Desktop.h) is the real one; tests pass a fake that
// records the calls.
//
// Portable: no Windows header.

#include "core/imaging/ScreenRect.h"

#include <cstdint>
#include <string>
#include <vector>

class IDesktop {
public:
    virtual ~IDesktop() = default;

    // The Windows directory, e.g. "C:\windows" (no trailing "\" unless it is a
    // drive's root). Raises when the system cannot report it.
    virtual std::string WindowsDirectory() = 0;

    // True when a new file can be created in `folder` now: a standard user
    // cannot write the Windows folder or an installed program's folder.
    virtual bool FolderAcceptsNewFiles(const std::string& folder) = 0;

    // The user's own folder for the program's files, ending in "" and
    // created when missing. Raises EInOutError when there is none.
    virtual std::string UserDataFolder() = 0;

    // Asks the system to show the bitmap file at `bitmapPath` as the desktop
    // wallpaper, store it in the user's profile and tell every window.
    // Raises EWallpaperError naming the file and the system's reason when
    // the system refuses (a file on a drive that is gone, not a bitmap).
    virtual void SetDeskWallpaper(const std::string& bitmapPath) = 0;

    // The file the desktop shows as its wallpaper now, as the system
    // reports it (empty for none): the user may have chosen another one in
    // Windows' own settings since the program set its own.
    virtual std::string CurrentWallpaper() = 0;

    // The monitors in desktop coordinates, the primary one first with its
    // top-left corner at 0,0 (others may lie at negative coordinates).
    // Never empty.
    virtual std::vector<TScreenRect> Monitors() = 0;

    // The colour of the desktop's background, where no wallpaper covers
    // it: 0x00RRGGBB.
    virtual uint32_t BackgroundColor() = 0;
};
