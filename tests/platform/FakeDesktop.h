#pragma once
// A desktop for tests: a Windows directory of the test's choosing, and every
// call appended to a journal shared with the other fakes, so the order of
// registry writes and the wallpaper call can be checked.
//
// Portable: no Windows header.

#include "platform/Desktop.h"

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
        Record("WindowsDirectory");
        return Directory;
    }
    bool FolderAcceptsNewFiles(const std::string& folder) override
    {
        return folder != Directory || WindowsDirectoryWritable;
    }
    std::string UserDataFolder() override
    {
        Record("UserDataFolder");
        return UserFolder;
    }
    void SetDeskWallpaper(const std::string& bitmapPath) override
    {
        Record("SetDeskWallpaper " + bitmapPath);
        WallpaperCalls.push_back(bitmapPath);
    }

    std::vector<std::string> WallpaperCalls;
    // A standard user cannot write the Windows directory.
    bool WindowsDirectoryWritable = true;
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
