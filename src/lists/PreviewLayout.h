#pragma once
// The preview as a small picture of the primary monitor: the monitor's
// proportions fitted and centred in the preview box, the picture laid out
// on it in the display style by the wallpaper's own layout (in the
// desktop's physical pixels), then scaled down, with the desktop's
// background colour around it. Tile repeats the picture from the monitor's
// top-left corner at its own size, as Windows tiles it.
//
// Portable: no Windows header.

#include "core/codec/PixelRowsView.h"
#include "core/imaging/WallpaperLayout.h"

#include <cstdint>
#include <vector>

// The desktop the preview shows, and the box it shows it in.
struct TPreviewFrame {
    // The monitors in desktop coordinates, primary first (see IDesktop).
    std::vector<TScreenRect> Monitors;
    // 0x00RRGGBB, where no picture covers the desktop.
    uint32_t Background = 0;
    TWallpaperFit Fit = TWallpaperFit::Center;
    int BoxWidth = 1;
    int BoxHeight = 1;

    // The primary monitor; the box itself when there is no monitor.
    TScreenRect Primary() const;
    // The primary monitor's rectangle in the box.
    TScreenRect Screen() const;
    // Where a picture of that size goes, in the coordinates of Screen()'s
    // top-left corner; for Tile the first tile only.
    TPictureDraw Draw(int pictureWidth, int pictureHeight) const;
    // The size a picture of pictureWidth x pictureHeight is kept at for
    // this frame: its proportions, as large as its draw needs but no larger
    // than the picture, and within twice the box each way (a picture drawn
    // larger than that, a huge one centred, is enlarged from it).
    void KeptSize(int pictureWidth, int pictureHeight, int& width, int& height) const;
};

// Draws the preview of `picture` (kept at any size; its own size is
// pictureWidth x pictureHeight) into `screen`, the size of frame.Screen().
void ComposePreview(const PixelRowsView& picture, int pictureWidth, int pictureHeight,
                    const TPreviewFrame& frame, const PixelRowsView& screen);
