#pragma once
// Where the wallpaper's pictures go on the desktop: the display styles, the
// rectangle a picture takes in its area for each, and the one bitmap that
// covers every monitor.
//
// Monitors are given in desktop coordinates: the primary monitor's top-left
// corner is 0,0, so a monitor left of or above it has negative coordinates.
// The bitmap covers their bounding box (the virtual screen); its pixel 0,0
// is the virtual screen's top-left corner (see WallpaperBitmapShift for how
// it is stored).
//
// Portable: no Windows header.

#include "core/imaging/ScreenRect.h"

#include <optional>
#include <vector>

// The display styles by their stored index ("style" "0".."5").
enum class TWallpaperFit { Center = 0, Tile, Stretch, Fit, Fill, Span };

// The style of a stored index; nothing outside 0..5.
std::optional<TWallpaperFit> WallpaperFitForIndex(int index);

// The rectangle a picture of pictureWidth x pictureHeight takes in `area`:
// Center its own size, centred; Stretch the area; Fit the largest size of
// the picture's proportions inside the area, centred; Fill and Span the
// smallest such size that covers the area, centred (the rest is cut off).
// Tile is not laid out here: it is the picture at its own size.
TScreenRect PlacePicture(TWallpaperFit fit, int pictureWidth, int pictureHeight, const TScreenRect& area);

// The bounding box of the monitors; an empty rectangle when there are none.
TScreenRect VirtualScreen(const std::vector<TScreenRect>& monitors);

// The areas pictures are laid out in: one per monitor, or for Span the one
// bounding box of them all; each in bitmap coordinates (relative to the
// virtual screen's top-left).
std::vector<TScreenRect> WallpaperAreas(TWallpaperFit fit, const std::vector<TScreenRect>& monitors);

// One picture drawn: the whole picture's rectangle, which may reach past its
// area, and the part of it that shows (inside the area and the bitmap).
struct TPictureDraw {
    TScreenRect Picture;
    TScreenRect Visible;
};

// The draw of a picture of that displayed size in `area` (bitmap
// coordinates); Visible is empty when nothing of it shows.
TPictureDraw DrawInArea(TWallpaperFit fit, int pictureWidth, int pictureHeight, const TScreenRect& area);

// The size a picture is needed at to make all `draws`: the largest of their
// rectangles, each side at least 1.
void NeededPictureSize(const std::vector<TPictureDraw>& draws, int& width, int& height);

// Windows lays the wallpaper bitmap out from the primary monitor's
// top-left corner (desktop 0,0), not from the virtual screen's: tiled, its
// pixel 0,0 lands on the primary's corner and it repeats to the left and
// above. So a bitmap of exactly the virtual screen's size shows the virtual
// screen unchanged only when it is stored rotated: desktop point x, y shows
// bitmap pixel (x mod width, y mod height), so a monitor at negative x is
// stored at the bitmap's right end. These are the columns and rows to rotate
// the composed picture left and up by: -Left mod width, -Top mod height.
void WallpaperBitmapShift(const TScreenRect& virtualScreen, int& columns, int& rows);
