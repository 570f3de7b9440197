#pragma once
// A desktop for tests: a Windows directory, closed folders and a user's
// folder of the test's choosing, and every call appended to a journal shared
// with the other fakes, so the order of registry writes and the wallpaper
// call can be checked.
//
// Portable: no Windows header.

#include "core/Exceptions.h"
#include "core/Utf8.h"
#include "platform/Desktop.h"
#include "platform/FakeSystemGuard.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

class TFakeDesktop : public IDesktop {
public:
    TFakeDesktop(std::string windowsDirectory, std::vector<std::string>* journal = nullptr)
        : Directory(std::move(windowsDirectory)), Journal(journal)
    {
    }

    std::string WindowsDirectory() override
    {
        const std::lock_guard lock(FakeSystemGuard());
        Record("WindowsDirectory");
        return Directory;
    }
    bool FolderAcceptsNewFiles(const std::string& folder) override
    {
        const std::lock_guard lock(FakeSystemGuard());
        return std::find(ClosedFolders.begin(), ClosedFolders.end(), folder) == ClosedFolders.end();
    }
    std::string UserDataFolder() override
    {
        const std::lock_guard lock(FakeSystemGuard());
        Record("UserDataFolder");
        if (UserFolder.empty())
            throw EInOutError::FromErrorCode(5);
        return UserFolder;
    }
    void SetDeskWallpaper(const std::string& bitmapPath) override
    {
        if (DuringWallpaperCall)
            DuringWallpaperCall();
        const std::lock_guard lock(FakeSystemGuard());
        Record("SetDeskWallpaper " + bitmapPath);
        WallpaperCalls.push_back(bitmapPath);
        if (!WallpaperRefusal.empty())
            throw EWallpaperError::CannotSet(bitmapPath, WallpaperRefusal);
        // Windows takes no name of MAX_PATH (260) UTF-16 units or more here
        // (Wine cuts it short instead).
        if (Utf16FromUtf8Replacing(bitmapPath).size() >= 260)
            throw EWallpaperError::CannotSet(bitmapPath, "The parameter is incorrect.");
        Wallpaper = bitmapPath;
    }

    std::vector<TScreenRect> Monitors() override
    {
        const std::lock_guard lock(FakeSystemGuard());
        return Screens;
    }
    uint32_t BackgroundColor() override { return Background; }

    // What the desktop shows: the last name the wallpaper call took, or
    // what the user chose in Windows' own settings.
    std::string Wallpaper;
    std::string CurrentWallpaper() override
    {
        const std::lock_guard lock(FakeSystemGuard());
        return Wallpaper;
    }

    std::vector<std::string> WallpaperCalls;
    // Runs within the wallpaper call, on the thread that makes it, as the
    // system's change broadcast runs there (waiting for every window).
    std::function<void()> DuringWallpaperCall;
    // When set, the wallpaper call fails with this reason, as the system's
    // does for a bitmap on a drive that is gone.
    std::string WallpaperRefusal;
    // The monitors, primary first, and the desktop's colour (0x00RRGGBB).
    std::vector<TScreenRect> Screens{{0, 0, 1024, 768}};
    uint32_t Background = 0x3A6EA5;
    // Folders that take no new files, as the Windows directory and an
    // installed program's folder for a standard user.
    std::vector<std::string> ClosedFolders;
    // The user's data folder; empty: there is none (access denied).
    std::string UserFolder = "C:\\users\\ann\\AppData\\Roaming\\Tessivo\\";

private:
    void Record(const std::string& entry)
    {
        if (Journal != nullptr)
            Journal->push_back(entry);
    }

    std::string Directory;
    std::vector<std::string>* Journal;
};
