// The display styles' layout, several monitors and the bitmap Windows shows.

#include "core/imaging/WallpaperLayout.h"
#include "../codec/TestPictures.h"
#include "core/imaging/DrawPicture.h"
#include "core/imaging/WallpaperCanvas.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

uint32_t PixelAt(TWallpaperCanvas& canvas, int x, int y)
{
    const uint8_t* p = canvas.Rows().Row(y) + x * 3;
    return static_cast<uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
}

} // namespace

TEST(WallpaperLayout, EachStylePlacesThePictureInItsArea)
{
    const TScreenRect area{100, 50, 1100, 650}; // 1000 x 600
    EXPECT_EQ(PlacePicture(TWallpaperFit::Center, 400, 200, area), (TScreenRect{400, 250, 800, 450}));
    EXPECT_EQ(PlacePicture(TWallpaperFit::Center, 1201, 600, area), (TScreenRect{-1, 50, 1200, 650}));
    EXPECT_EQ(PlacePicture(TWallpaperFit::Stretch, 400, 200, area), area);
    // Landscape 2:1 and portrait 1:2.
    EXPECT_EQ(PlacePicture(TWallpaperFit::Fit, 400, 200, area), (TScreenRect{100, 100, 1100, 600}));
    EXPECT_EQ(PlacePicture(TWallpaperFit::Fit, 200, 400, area), (TScreenRect{450, 50, 750, 650}));
    EXPECT_EQ(PlacePicture(TWallpaperFit::Fill, 400, 200, area), (TScreenRect{0, 50, 1200, 650}));
    EXPECT_EQ(PlacePicture(TWallpaperFit::Fill, 200, 400, area), (TScreenRect{100, -650, 1100, 1350}));
    EXPECT_EQ(PlacePicture(TWallpaperFit::Span, 1000, 600, area), area);
    EXPECT_EQ(WallpaperFitForIndex(5), TWallpaperFit::Span);
    EXPECT_FALSE(WallpaperFitForIndex(6));
    EXPECT_FALSE(WallpaperFitForIndex(-1));
}

TEST(WallpaperLayout, MonitorsLeftOfAndAboveThePrimaryOfMixedSizes)
{
    // Primary 1920x1080 at 0,0; a 1280x1024 left of it reaching higher; a
    // 800x600 below the primary.
    const std::vector<TScreenRect> monitors = {
        {0, 0, 1920, 1080}, {-1280, -200, 0, 824}, {0, 1080, 800, 1680}};
    const TScreenRect screen = VirtualScreen(monitors);
    EXPECT_EQ(screen, (TScreenRect{-1280, -200, 1920, 1680}));
    const std::vector<TScreenRect> areas = WallpaperAreas(TWallpaperFit::Fill, monitors);
    ASSERT_EQ(areas.size(), 3u);
    EXPECT_EQ(areas[0], (TScreenRect{1280, 200, 3200, 1280}));
    EXPECT_EQ(areas[1], (TScreenRect{0, 0, 1280, 1024}));
    EXPECT_EQ(areas[2], (TScreenRect{1280, 1280, 2080, 1880}));
    EXPECT_EQ(WallpaperAreas(TWallpaperFit::Span, monitors), (std::vector<TScreenRect>{{0, 0, 3200, 1880}}));
    // The primary's corner is the bitmap's pixel 0,0 once rotated.
    int columns = 0, rows = 0;
    WallpaperBitmapShift(screen, columns, rows);
    EXPECT_EQ(columns, 1280);
    EXPECT_EQ(rows, 200);
    WallpaperBitmapShift(VirtualScreen({{0, 0, 1024, 768}, {1024, 0, 1824, 600}}), columns, rows);
    EXPECT_EQ(columns, 0);
    EXPECT_EQ(rows, 0);
}

TEST(WallpaperCanvas, ComposedPicturesLandWhereTheDesktopShowsThemAfterTheRotation)
{
    // A 40x20 primary and a 30x30 monitor left of it, 10 higher; a flat red
    // picture fitted on each, on a blue background.
    const std::vector<TScreenRect> monitors = {{0, 0, 40, 20}, {-30, -10, 0, 20}};
    const TScreenRect screen = VirtualScreen(monitors);
    TWallpaperCanvas canvas(screen.Width(), screen.Height(), 0x0000FF);
    PixelImage red(10, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            red.Row(y)[x * 3 + 2] = 255;
    DrawDecodedPicture(PixelRowsView{red.Row(0), 10, 10, red.Stride()}, TOrientation::Normal,
                       TWallpaperFit::Fit, WallpaperAreas(TWallpaperFit::Fit, monitors), canvas.Rows());
    int columns = 0, rows = 0;
    WallpaperBitmapShift(screen, columns, rows);
    canvas.Rotate(columns, rows);
    // Desktop x, y shows bitmap pixel (x mod 70, y mod 30).
    const auto desktop = [&](int x, int y) { return PixelAt(canvas, (x + 70) % 70, (y + 30) % 30); };
    EXPECT_EQ(desktop(0, 0), 0x0000FFu); // primary: 20x20 square centred, blue bands left and right
    EXPECT_EQ(desktop(10, 0), 0xFF0000u);
    EXPECT_EQ(desktop(29, 19), 0xFF0000u);
    EXPECT_EQ(desktop(30, 10), 0x0000FFu);
    EXPECT_EQ(desktop(-30, -10), 0xFF0000u); // the left monitor is filled whole
    EXPECT_EQ(desktop(-1, 19), 0xFF0000u);
    EXPECT_EQ(desktop(39, -1), 0x0000FFu); // above the primary: no monitor, background
}

TEST(DrawDecodedPicture, ATurnedPictureIsPlacedUprightAndOnlyItsVisiblePartIsDrawn)
{
    // Stored 8x4 with its top row white; turned a quarter clockwise it is
    // 4x8 with its right column white. Centred on a 20x6 area it is cut to 6 rows.
    PixelImage stored(8, 4);
    std::memset(stored.Row(0), 255, 24);
    PixelImage canvas(20, 6);
    DrawDecodedPicture(PixelRowsView{stored.Row(0), 8, 4, stored.Stride()}, TOrientation::Turn90,
                       TWallpaperFit::Center, {TScreenRect{0, 0, 20, 6}},
                       PixelRowsView{canvas.Row(0), 20, 6, canvas.Stride()});
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(canvas.Row(y)[11 * 3], 255) << y; // columns 8..11: the right one white
        EXPECT_EQ(canvas.Row(y)[10 * 3], 0) << y;
        EXPECT_EQ(canvas.Row(y)[12 * 3], 0) << y;
    }
}
