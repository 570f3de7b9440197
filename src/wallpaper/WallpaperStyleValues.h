#pragma once
// The "WallpaperStyle" / "TileWallpaper" pair recorded for a wallpaper that
// Tessivo has drawn itself at exactly the desktop's size.
//
// Portable: no Windows header.

#include "core/imaging/WallpaperLayout.h"
#include "wallpaper/WallpaperFile.h"

// The bitmap already is the desktop, pixel for pixel, so the pair only has
// to make Windows' own drawing change nothing:
//  - One monitor: the style's own pair, Center "0"/"0", Stretch "2"/"0",
//    Fit "6"/"0", Fill "10"/"0" (both since Windows 7); each draws an
//    exact-size bitmap 1:1, and the desktop settings show the style chosen.
//    Span on one monitor is Fill, and its own value "22" exists only since
//    Windows 8, so it records Fill's pair.
//  - Several monitors: "0"/"1" (Tile) whatever the style. Windows 7 knows
//    no way to lay one bitmap over several monitors but tiling; tiling
//    starts at the primary monitor's top-left, and a bitmap of the virtual
//    screen's size stored rotated accordingly (WallpaperBitmapShift) shows
//    each monitor exactly its part, on Windows 7 as on 8 to 11. Span's
//    "22" would lay the bitmap from the virtual screen's corner instead,
//    and exists only since Windows 8.
// Tile itself keeps "0"/"1": its picture is not drawn by Tessivo.
TWallpaperStyle RenderedStyleValues(TWallpaperFit fit, size_t monitorCount);
