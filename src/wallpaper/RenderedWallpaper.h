#pragma once
// The wallpaper drawn by Tessivo at exactly the desktop's size, for every
// style but Tile: one bitmap covering all monitors, each picture scaled and
// placed as its style says, the rest in the desktop's background colour,
// written as "MyWallpaper.bmp" (see WallpaperBitmapPath) and handed to the
// desktop, which then shows it 1:1.

#include "core/imaging/WallpaperCanvas.h"
#include "core/imaging/WallpaperLayout.h"
#include "wallpaper/DesktopWallpaper.h"
#include "wallpaper/JpegToBitmap.h"
#include "wallpaper/WallpaperFile.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Draws the wallpaper for `monitors`: with one path the same picture on
// every monitor (or once over all of them for Span); with several, one each
// in turn. Every picture the program reads is drawn (see WallpaperKindOf);
// any error of reading or decoding a picture raises. A JPEG's decode stops
// (EDecodeAbandoned) once `stillWanted` says no. `first`, when given, is
// the first path's picture already decoded by DecodeFirstPicture: it is
// drawn from those pixels, not read again.
TWallpaperCanvas RenderWallpaper(const std::vector<std::string>& paths, TWallpaperFit fit,
                                 const std::vector<TScreenRect>& monitors, uint32_t background,
                                 const std::function<bool()>& stillWanted = {},
                                 const TDecodedJpeg* first = nullptr);

// Writes the canvas as a 24-bit BMP file at `bitmapPath`, replacing the old
// file only once the new one is complete (EFCreateError when it cannot).
// When `stillWanted` says no just before that, the old file stays.
void WriteWallpaperBitmap(const TWallpaperCanvas& canvas, const std::string& bitmapPath,
                          const std::function<bool()>& stillWanted = {});

// One apply in three steps, so that the slow middle one can run on another
// thread: planned where the desktop is asked what it is like (its monitors,
// its colour, the folder of the bitmap), drawn touching nothing but files,
// then shown (the desktop values written and the wallpaper call made).
struct TWallpaperPlan {
    // The pictures among the paths asked for, the first one the selected.
    std::vector<std::string> Pictures;
    TWallpaperFit Fit = TWallpaperFit::Center;
    std::vector<TScreenRect> Monitors;
    uint32_t Background = 0;
    // The file the desktop is given, and whether it is drawn (or converted,
    // for Tile) from the pictures or is the first picture itself.
    std::string BitmapPath;
    bool Drawn = false;
    TWallpaperStyle Values;
    // Nothing to apply: no picture among the paths, or no such style.
    bool Empty() const { return BitmapPath.empty(); }
};
// The plan of ApplyWallpaper (below); empty when it would apply nothing.
TWallpaperPlan PlanWallpaper(const std::vector<std::string>& paths, int styleIndex,
                             const TWallpaperSystem& system);
// The JPEG file `path`, the plan's first picture, decoded once for both the
// preview of a change and its wallpaper (see DecodeJpegFile): at the DCT
// scale its drawing needs, so a large photograph drawn onto a smaller
// desktop is never decoded at full size; at full size for Tile, whose
// bitmap is the whole picture, and when the plan draws nothing.
TDecodedJpeg DecodeFirstPicture(const TWallpaperPlan& plan, const std::string& path,
                                const std::function<bool()>& stillWanted = {});
// Writes the plan's bitmap, when it has one to write; a read or decode
// error raises. `stillWanted` is asked before the file is replaced.
// `first`: the first picture from DecodeFirstPicture, drawn without being
// read again (Tile's conversion is `convert`'s own).
void DrawWallpaper(const TWallpaperPlan& plan, const TJpegToBitmapConverter& convert,
                   const std::function<bool()>& stillWanted = {}, const TDecodedJpeg* first = nullptr);
// Writes the desktop values and hands the bitmap to the desktop; the file
// the desktop was given.
std::string ShowWallpaper(const TWallpaperPlan& plan, const TWallpaperSystem& system);

// Applies `paths` with the style of stored index `styleIndex` (0 Center,
// 1 Tile, 2 Stretch, 3 Fit, 4 Fill, 5 Span) for the desktop's current
// monitors: Tile as SetDesktopWallpaper does it with the first path; the
// others drawn, written, recorded (RenderedStyleValues) and shown. Paths
// that are not pictures are left out; with none left, or an index outside
// 0..5, nothing is applied. An error stops before the desktop is touched.
// The file the desktop was given; empty when nothing was applied.
std::string ApplyWallpaper(const std::vector<std::string>& paths, int styleIndex,
                           const TWallpaperSystem& system);

// How many pictures one change puts on the desktop: with a different
// picture on each monitor, one for each of `monitorCount`, except for Tile
// (Windows tiles one bitmap) and Span (one picture over all of them);
// otherwise one.
size_t PicturesPerChange(int styleIndex, size_t monitorCount, bool perMonitor);

// The wallpaper last applied, so it can be drawn again when the monitors
// change (a resolution changed, a monitor added or removed).
inline constexpr int CenterStyleIndex = 0;

class TCurrentWallpaper {
public:
    bool Apply(const std::vector<std::string>& paths, int styleIndex, const TWallpaperSystem& system);
    // Records an apply made in steps: `shown` is the file the desktop was
    // given, empty when nothing was applied.
    bool Applied(const std::vector<std::string>& paths, int styleIndex, std::string shown);
    // What Redraw would apply again; nothing when it would not.
    struct TRedraw {
        std::vector<std::string> Paths;
        int StyleIndex;
    };
    std::optional<TRedraw> RedrawNeeded(IDesktop& desktop) const;
    // Applies the last wallpaper again for the monitors as they are now,
    // only while the desktop still shows the file this program gave it (the
    // user may have chosen another wallpaper in Windows' settings since);
    // nothing before the first apply.
    void Redraw(const TWallpaperSystem& system);
    // The desktop shows the file of the last apply (letter case ignored, as
    // the file system compares names).
    bool StillShown(IDesktop& desktop) const;

private:
    std::vector<std::string> paths_;
    int styleIndex_ = -1;
    std::string shown_;
};
