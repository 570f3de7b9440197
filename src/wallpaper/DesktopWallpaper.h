#pragma once
// Applying one image file as the desktop wallpaper.
//
// Portable: the system is reached only through the interfaces passed in. The
// Windows program passes the real desktop, the real registry and the real
// JPEG converter (JpegToBitmap.h).

#include "platform/Desktop.h"
#include "platform/RegistryAccess.h"

#include <functional>
#include <string>

// Decodes the picture file at jpegPath (a JPEG, or any other format the
// program reads) and writes it as a BMP file at bitmapPath.
using TJpegToBitmapConverter =
    std::function<void(const std::string& jpegPath, const std::string& bitmapPath)>;

// What applying a wallpaper needs from the system.
struct TWallpaperSystem {
    IDesktop& Desktop;
    IRegistryFactory& Registry;
    TJpegToBitmapConverter ConvertJpegToBitmap;
};

// Where a JPEG wallpaper is converted to: "MyWallpaper.bmp" in the Windows
// directory, or in the user's own data folder when the Windows directory
// cannot be written (a standard user on current Windows).
std::string WallpaperBitmapPath(IDesktop& desktop);

// The wallpaper call takes a name of fewer UTF-16 units than this (MAX_PATH,
// its terminating NUL included); Windows refuses a longer one, whatever
// long-path support the program has.
inline constexpr size_t WallpaperCallPathLimit = 260;
bool FitsWallpaperCall(const std::string& path);

// Applies the file at `path` with the given style pair.
//  - A JPEG or other picture (see WallpaperKindOf) is converted into
//    "MyWallpaper.bmp" first (see WallpaperBitmapPath), and that bitmap is
//    the wallpaper; a ".BMP" file is the wallpaper itself unless its name
//    is too long for the wallpaper call (see FitsWallpaperCall), when it is
//    converted too; any other file is silently ignored.
//  - Then, when "\Control Panel\Desktop" of the current user exists (it is
//    never created): "Wallpaper", "WallpaperStyle", "TileWallpaper" are
//    written in that order, and the key is closed on every path.
//  - Then the desktop is asked to show the bitmap, whether or not the key
//    existed. A failed conversion or write raises and stops before that.
// Returns the bitmap the desktop was given; empty for an ignored file.
std::string SetDesktopWallpaper(const std::string& path, const std::string& wallpaperStyle,
                                const std::string& tileWallpaper, const TWallpaperSystem& system);
