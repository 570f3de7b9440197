// Scaling by area averaging and bilinear interpolation, and the JPEG drawn
// at its DCT scale, against ImageMagick's box filter.

#include "core/imaging/Resampler.h"
#include "../codec/CodecTestSupport.h"
#include "core/codec/JpegDecoder.h"
#include "core/imaging/DrawPicture.h"
#include "core/imaging/PictureDrawer.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

using namespace codec_test;

namespace {

PixelRowsView View(PixelImage& image)
{
    return {image.Row(0), image.Width(), image.Height(), image.Stride()};
}

PixelImage Flat(int width, int height, uint8_t b, uint8_t g, uint8_t r)
{
    PixelImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.Row(y)[x * 3] = b, image.Row(y)[x * 3 + 1] = g, image.Row(y)[x * 3 + 2] = r;
    return image;
}

double Psnr(const PixelImage& a, const PixelImage& b)
{
    double squares = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width() * 3; ++x) {
            const double d = a.Row(y)[x] - b.Row(y)[x];
            squares += d * d;
        }
    const double mse = squares / (3.0 * a.Width() * a.Height());
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

} // namespace

TEST(Resampler, FlatColourStaysExactAtEveryScaleBothWays)
{
    PixelImage source = Flat(37, 23, 10, 128, 251);
    for (const auto& [w, h] : {std::pair{1, 1}, {13, 7}, {36, 22}, {37, 23}, {100, 61}, {38, 500}}) {
        PixelImage target(w, h);
        ResamplePicture(View(source), View(target));
        EXPECT_TRUE(SamePixels(Flat(w, h, 10, 128, 251), target)) << w << "x" << h;
    }
}

TEST(Resampler, ReductionAveragesTheAreaAndEnlargementInterpolates)
{
    // 4 -> 2 across: each target pixel is the mean of two; 3 -> 2: of one
    // and a half.
    PixelImage source(4, 1);
    const uint8_t values[] = {0, 100, 200, 40};
    for (int x = 0; x < 4; ++x)
        source.Row(0)[x * 3] = values[x];
    PixelImage half(2, 1);
    ResamplePicture(View(source), View(half));
    EXPECT_EQ(half.Row(0)[0], 50);
    EXPECT_EQ(half.Row(0)[3], 120);
    PixelImage threeQuarters(3, 1);
    ResamplePicture(View(source), View(threeQuarters));
    EXPECT_EQ(threeQuarters.Row(0)[0], 25);  // (0 + 100 / 3) * 3/4
    EXPECT_EQ(threeQuarters.Row(0)[3], 150); // (100 * 2/3 + 200 * 2/3) * 3/4
    // 2 -> 4: centres at -0.25, 0.25, 0.75, 1.25 of the source.
    PixelImage two(2, 1);
    two.Row(0)[0] = 0, two.Row(0)[3] = 200;
    PixelImage four(4, 1);
    ResamplePicture(View(two), View(four));
    EXPECT_EQ(four.Row(0)[0], 0);
    EXPECT_EQ(four.Row(0)[3], 50);
    EXPECT_EQ(four.Row(0)[6], 150);
    EXPECT_EQ(four.Row(0)[9], 200);
}

TEST(Resampler, AWindowIsExactlyThatPartOfTheWholeTarget)
{
    PixelImage source = MakeTestPicture(90, 70);
    PixelImage whole(64, 100);
    ResamplePicture(View(source), View(whole));
    PixelImage part(20, 30);
    TRowResampler resampler(90, 70, 64, 100, TScreenRect{40, 50, 60, 80}, View(part));
    for (int y = 0; y < 70; ++y)
        resampler.TakeRow(y, source.Row(y));
    for (int y = 0; y < 30; ++y)
        ASSERT_EQ(0, std::memcmp(part.Row(y), whole.Row(50 + y) + 40 * 3, 60)) << y;
}

TEST(JpegScale, TheSmallestDctScaleNotBelowTheNeededSize)
{
    EXPECT_EQ(JpegScaleDenomFor(6000, 4000, 1920, 1280), 2);
    EXPECT_EQ(JpegScaleDenomFor(6000, 4000, 1500, 1000), 4);
    EXPECT_EQ(JpegScaleDenomFor(6000, 4000, 1501, 10), 2);
    EXPECT_EQ(JpegScaleDenomFor(6000, 4000, 10, 10), 8);
    EXPECT_EQ(JpegScaleDenomFor(1920, 1080, 1920, 1080), 1);
    EXPECT_EQ(JpegScaleDenomFor(1000, 1000, 2000, 2000), 1);
    EXPECT_EQ(JpegScaleDenomFor(1001, 1001, 501, 501), 2); // 1001 / 2 rounds up
}

TEST(DrawJpegPicture, MatchesImageMagicksBoxFilterOnAPhotographLikePicture)
{
    const auto jpeg = ScratchDir() / "photo.jpg";
    RunTool("convert -seed 7 -size 1200x800 plasma:fractal -blur 0x1.5 -quality 92 '" + jpeg.string() + "'");
    const std::vector<uint8_t> bytes = ReadBytes(jpeg);
    for (const auto& [w, h] : {std::pair{500, 333}, {290, 200}, {1100, 700}}) {
        const auto reference = ScratchDir() / "box.ppm";
        RunTool("convert '" + jpeg.string() + "' -filter Box -resize " + std::to_string(w) + "x" +
                std::to_string(h) + "! '" + reference.string() + "'");
        PixelImage drawn(w, h);
        DrawJpegPicture(bytes.data(), bytes.size(), TWallpaperFit::Stretch, {TScreenRect{0, 0, w, h}},
                        View(drawn));
        EXPECT_GE(Psnr(ReadPnm(reference), drawn), 40.0) << w << "x" << h;
    }
}

TEST(DrawJpegPicture, RowsCutOffAreNotAskedForAndTheRestIsDrawnAsFromTheWholePicture)
{
    // A tall picture filled onto a wide screen: only its middle shows.
    const auto jpeg = ScratchDir() / "tall.jpg";
    RunTool("convert -seed 3 -size 400x900 plasma:fractal -quality 90 '" + jpeg.string() + "'");
    const std::vector<uint8_t> bytes = ReadBytes(jpeg);
    const std::vector<TScreenRect> screen{TScreenRect{0, 0, 320, 180}};
    PixelImage drawn(320, 180);
    DrawJpegPicture(bytes.data(), bytes.size(), TWallpaperFit::Fill, screen, View(drawn));

    // Filled at 320 x 720, rows 270-449 show: source rows 337-562 or so.
    PixelImage expected(320, 180);
    const TPictureDrawer drawer(400, 900, TOrientation::Normal,
                                DrawsInAreas(TWallpaperFit::Fill, 400, 900, screen), View(expected));
    EXPECT_GT(drawer.FirstNeededRow(), 330);
    EXPECT_LT(drawer.LastNeededRow(), 570);

    PixelImage whole;
    DecodeJpeg(bytes.data(), bytes.size(), JpegDecodeOptions{}, whole.Allocator());
    DrawDecodedPicture(View(whole), TOrientation::Normal, TWallpaperFit::Fill, screen, View(expected));
    for (int y = 0; y < 180; ++y)
        ASSERT_EQ(std::memcmp(drawn.Row(y), expected.Row(y), 320 * 3), 0) << "row " << y;
}
