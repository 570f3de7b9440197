#include "platform/Win32Desktop.h"

#include "platform/Registry.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <windows.h>

namespace {

// A 2 x 2 24-bit BMP file.
std::string TinyBitmap()
{
    std::string bytes;
    auto put16 = [&](uint16_t v) { bytes.append({char(v & 0xFF), char(v >> 8)}); };
    auto put32 = [&](uint32_t v) {
        put16(uint16_t(v & 0xFFFF));
        put16(uint16_t(v >> 16));
    };
    bytes += "BM";
    put32(14 + 40 + 16);
    put32(0);
    put32(14 + 40);
    put32(40);
    put32(2);
    put32(2);
    put16(1);
    put16(24);
    put32(0);
    put32(16);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    bytes += std::string(16, '\x7f');
    return bytes;
}

std::string DesktopWallpaperValue()
{
    TRegistry registry;
    registry.OpenKey("\\Control Panel\\Desktop", false);
    return registry.ReadString("Wallpaper");
}

} // namespace

TEST(Win32Desktop, WindowsDirectoryIsAnExistingFolder)
{
    TWin32Desktop desktop;
    const std::string folder = desktop.WindowsDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.find('\0'), std::string::npos);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << folder;
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u) << folder;
    // The same folder the system hands out for a generous buffer.
    char expected[1024];
    GetWindowsDirectoryA(expected, sizeof expected);
    EXPECT_EQ(folder, expected);
}

TEST(Win32Desktop, SetDeskWallpaperRecordsTheBitmapInTheUserProfile)
{
    TTempFolder folder;
    const std::string bitmap = folder / "wall.bmp";
    PutFileBytes(bitmap, TinyBitmap());
    const std::string previous = DesktopWallpaperValue();
    TWin32Desktop desktop;
    desktop.SetDeskWallpaper(bitmap);
    EXPECT_EQ(DesktopWallpaperValue(), bitmap);
    desktop.SetDeskWallpaper(previous);
    EXPECT_EQ(DesktopWallpaperValue(), previous);
}

TEST(Win32Desktop, MonitorsStartWithThePrimaryAtTheOriginAndTheColourIsTheDesktopsOwn)
{
    TWin32Desktop desktop;
    const std::vector<TScreenRect> monitors = desktop.Monitors();
    ASSERT_FALSE(monitors.empty());
    EXPECT_EQ(monitors[0], (TScreenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
    for (const TScreenRect& monitor : monitors)
        EXPECT_FALSE(monitor.Empty());
    const COLORREF colour = GetSysColor(COLOR_DESKTOP);
    EXPECT_EQ(desktop.BackgroundColor(),
              static_cast<uint32_t>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour));
}
