#pragma once
// What a wallpaper file is and how it is recorded on the desktop: the kind
// decided from the file name alone, the display-style value pairs, and the
// names of the desktop values.
//
// Portable: no Windows header.

#include <optional>
#include <string>

enum class TWallpaperKind {
    None,    // not applied at all
    Jpeg,    // decoded into the wallpaper bitmap first
    Bitmap,  // handed to the desktop unchanged
    Picture, // another format, decoded into the wallpaper bitmap as a JPEG is
};

// The extension as the decision sees it: ExtractFileExt upper-cased and cut
// to its first four characters (".jpeg" -> ".JPE", ".bmp2" -> ".BMP").
std::string WallpaperExtension(const std::string& path);

// Jpeg for ".JPG", Bitmap for ".BMP" (see WallpaperExtension); otherwise
// the whole extension decides: Jpeg for ".jpeg", ".jpe", ".jfif", Picture
// for ".png", ".gif", ".tif", ".tiff", ".webp" (any case), else None.
TWallpaperKind WallpaperKindOf(const std::string& path);

// The "WallpaperStyle" / "TileWallpaper" strings of a display style.
struct TWallpaperStyle {
    std::string WallpaperStyle;
    std::string TileWallpaper;
};

// Display-style item index: 0 Center ("0","0"), 1 Tile ("0","1"),
// 2 Stretch ("2","0"); any other index has no pair and nothing is applied.
std::optional<TWallpaperStyle> WallpaperStyleForIndex(int itemIndex);

// The desktop values, under HKEY_CURRENT_USER.
inline constexpr const char* DesktopKeyPath = "\\Control Panel\\Desktop";
inline constexpr const char* WallpaperValueName = "Wallpaper";
inline constexpr const char* WallpaperStyleValueName = "WallpaperStyle";
inline constexpr const char* TileWallpaperValueName = "TileWallpaper";

// The bitmap a JPEG or other picture becomes, and the suffix that names it in the Windows
// directory (which has no trailing "\").
inline constexpr const char* WallpaperBitmapName = "MyWallpaper.bmp";
inline constexpr const char* WallpaperBitmapSuffix = "\\MyWallpaper.bmp";
