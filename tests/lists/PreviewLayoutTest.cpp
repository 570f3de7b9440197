// The preview as a small picture of the primary monitor: where each style
// puts a wide and a tall picture, and the pixels it draws.

#include "lists/PreviewLayout.h"

#include "core/codec/PixelImage.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr uint32_t kDesktop = 0x3A6EA5;
constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;

// A 1600 x 900 monitor in a 200 x 150 box: the screen is 200 x 113 at 0,18.
TPreviewFrame Frame(TWallpaperFit fit)
{
    TPreviewFrame frame;
    frame.Monitors = {{0, 0, 1600, 900}};
    frame.Background = kDesktop;
    frame.Fit = fit;
    frame.BoxWidth = 200;
    frame.BoxHeight = 150;
    return frame;
}

// A picture whose left half is red and right half blue.
PixelImage Halves(int width, int height)
{
    PixelImage picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t colour = x < width / 2 ? kRed : kBlue;
            uint8_t* pixel = picture.Row(y) + x * 3;
            pixel[0] = static_cast<uint8_t>(colour), pixel[1] = static_cast<uint8_t>(colour >> 8);
            pixel[2] = static_cast<uint8_t>(colour >> 16);
        }
    return picture;
}

// The preview's screen drawn from `picture` kept at its own size.
class Composed {
public:
    Composed(const TPreviewFrame& frame, PixelImage& picture, int width, int height)
        : screen_(frame.Screen().Width(), frame.Screen().Height())
    {
        ComposePreview(PixelRowsView{picture.Row(0), picture.Width(), picture.Height(), picture.Stride()},
                       width, height, frame,
                       PixelRowsView{screen_.Row(0), screen_.Width(), screen_.Height(), screen_.Stride()});
    }
    uint32_t At(int x, int y) const
    {
        const uint8_t* pixel = screen_.Row(y) + x * 3;
        return static_cast<uint32_t>(pixel[2]) << 16 | pixel[1] << 8 | pixel[0];
    }

private:
    PixelImage screen_;
};

std::string Hex(uint32_t colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06X", colour);
    return text;
}

} // namespace

TEST(PreviewLayout, TheMonitorIsFittedAndCentredInTheBox)
{
    EXPECT_EQ(Frame(TWallpaperFit::Fit).Screen(), (TScreenRect{0, 18, 200, 131}));
    TPreviewFrame tall = Frame(TWallpaperFit::Fit);
    tall.Monitors = {{0, 0, 1080, 1920}};
    EXPECT_EQ(tall.Screen(), (TScreenRect{58, 0, 142, 150}));
    // No monitor known: the box is the screen.
    tall.Monitors.clear();
    EXPECT_EQ(tall.Screen(), (TScreenRect{0, 0, 200, 150}));
}

TEST(PreviewLayout, EachStyleLaysTheWidePictureOutAsTheDesktopDoes)
{
    // 1600 x 600 on 1600 x 900, then scaled by 1/8 across and 113/900 down.
    EXPECT_EQ(Frame(TWallpaperFit::Fit).Draw(1600, 600).Picture, (TScreenRect{0, 19, 200, 94}));
    const TPictureDraw fill = Frame(TWallpaperFit::Fill).Draw(1600, 600);
    EXPECT_EQ(fill.Picture, (TScreenRect{-50, 0, 250, 113}));
    EXPECT_EQ(fill.Visible, (TScreenRect{0, 0, 200, 113}));
    EXPECT_EQ(Frame(TWallpaperFit::Stretch).Draw(1600, 600).Picture, (TScreenRect{0, 0, 200, 113}));
    // Center and Tile keep the picture's true scale: 800 x 300 is half the
    // monitor's width.
    EXPECT_EQ(Frame(TWallpaperFit::Center).Draw(800, 300).Picture, (TScreenRect{50, 38, 150, 75}));
    EXPECT_EQ(Frame(TWallpaperFit::Tile).Draw(800, 300).Picture, (TScreenRect{0, 0, 100, 38}));
    // Span over a second monitor right of the primary: the primary shows
    // the left part of the picture stretched over both.
    TPreviewFrame span = Frame(TWallpaperFit::Span);
    span.Monitors.push_back({1600, 0, 3200, 900});
    EXPECT_EQ(span.Draw(3200, 900).Picture, (TScreenRect{0, 0, 400, 113}));
}

TEST(PreviewLayout, FitShowsBandsFillTheCropCenterTheTrueScaleOfAWidePicture)
{
    PixelImage wide = Halves(1600, 600);
    const Composed fit(Frame(TWallpaperFit::Fit), wide, 1600, 600);
    EXPECT_EQ(Hex(fit.At(10, 5)), Hex(kDesktop));
    EXPECT_EQ(Hex(fit.At(10, 56)), Hex(kRed));
    EXPECT_EQ(Hex(fit.At(190, 56)), Hex(kBlue));
    EXPECT_EQ(Hex(fit.At(100, 110)), Hex(kDesktop));

    // Fill: no desktop shows; the picture's outer sixths are cut off.
    const Composed fill(Frame(TWallpaperFit::Fill), wide, 1600, 600);
    for (int y : {0, 56, 112}) {
        EXPECT_EQ(Hex(fill.At(0, y)), Hex(kRed));
        EXPECT_EQ(Hex(fill.At(199, y)), Hex(kBlue));
    }

    PixelImage half = Halves(800, 300);
    const Composed center(Frame(TWallpaperFit::Center), half, 800, 300);
    EXPECT_EQ(Hex(center.At(45, 56)), Hex(kDesktop));
    EXPECT_EQ(Hex(center.At(60, 56)), Hex(kRed));
    EXPECT_EQ(Hex(center.At(140, 56)), Hex(kBlue));
    EXPECT_EQ(Hex(center.At(155, 56)), Hex(kDesktop));
    EXPECT_EQ(Hex(center.At(100, 30)), Hex(kDesktop));

    // Tile repeats it from the monitor's corner: red, blue, red...
    const Composed tile(Frame(TWallpaperFit::Tile), half, 800, 300);
    for (int y : {5, 45, 80})
        for (int x : {10, 60, 110, 160})
            EXPECT_EQ(Hex(tile.At(x, y)), Hex((x % 100) < 50 ? kRed : kBlue)) << x << "," << y;
}

TEST(PreviewLayout, FitAndFillOfATallPicture)
{
    PixelImage tall = Halves(600, 1600);
    // Fit: 338 x 900 in the middle of 1600 x 900, the desktop beside it.
    const Composed fit(Frame(TWallpaperFit::Fit), tall, 600, 1600);
    EXPECT_EQ(Hex(fit.At(70, 56)), Hex(kDesktop));
    EXPECT_EQ(Hex(fit.At(85, 56)), Hex(kRed));
    EXPECT_EQ(Hex(fit.At(115, 56)), Hex(kBlue));
    EXPECT_EQ(Hex(fit.At(130, 56)), Hex(kDesktop));
    // Fill: as wide as the monitor, so half red, half blue across.
    const Composed fill(Frame(TWallpaperFit::Fill), tall, 600, 1600);
    EXPECT_EQ(Hex(fill.At(5, 0)), Hex(kRed));
    EXPECT_EQ(Hex(fill.At(195, 112)), Hex(kBlue));
}

TEST(PreviewLayout, ThePictureIsKeptAsLargeAsItsStyleNeedsWithinTwiceTheBox)
{
    int width = 0, height = 0;
    // Fill of 1600 x 600: drawn 300 x 113.
    Frame(TWallpaperFit::Fill).KeptSize(1600, 600, width, height);
    EXPECT_GE(width, 300);
    EXPECT_GE(height, 113);
    EXPECT_LE(width, 302);
    // A huge picture centred would be drawn 750 x 502: kept within 400 x 300.
    Frame(TWallpaperFit::Center).KeptSize(6000, 4000, width, height);
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 267);
    // A small picture is never enlarged to be kept.
    Frame(TWallpaperFit::Stretch).KeptSize(40, 30, width, height);
    EXPECT_EQ(width, 40);
    EXPECT_EQ(height, 30);
}

TEST(PreviewLayout, APictureDrawnFromItsKeptReductionKeepsItsBands)
{
    // The same Fit bands whether the picture comes at full size or reduced.
    int width = 0, height = 0;
    const TPreviewFrame frame = Frame(TWallpaperFit::Fit);
    frame.KeptSize(1600, 600, width, height);
    PixelImage kept = Halves(width, height);
    const Composed fit(frame, kept, 1600, 600);
    EXPECT_EQ(Hex(fit.At(10, 18)), Hex(kDesktop));
    EXPECT_EQ(Hex(fit.At(10, 19)), Hex(kRed));
    EXPECT_EQ(Hex(fit.At(190, 93)), Hex(kBlue));
    EXPECT_EQ(Hex(fit.At(190, 94)), Hex(kDesktop));
}
