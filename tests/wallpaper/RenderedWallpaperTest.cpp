// The wallpaper drawn at the desktop's size: one monitor and two of
// different sizes, the same picture on both or one each, checked in the
// written bitmap pixel by pixel.
#include "wallpaper/RenderedWallpaper.h"

#include "core/codec/BmpCodec.h"
#include "core/codec/PictureFiles.h"
#include "core/codec/PixelImage.h"
#include "framework/graphics/JpegImage.h"
#include "platform/Dpi.h"
#include "platform/FakeDesktop.h"
#include "platform/FakeRegistry.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"
#include "wallpaper/JpegToBitmap.h"
#include "wallpaper/SampleJpegs.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t Background = 0x204060;

class RenderedWallpaperTest : public testing::Test {
protected:
    RenderedWallpaperTest()
    {
        Registry.AddKey(TRegistryRoot::CurrentUser, "Control Panel\\Desktop");
        Desktop.Background = Background;
        Folder.Write("redblue.jpg",
                     std::string(reinterpret_cast<const char*>(RedBlueJpeg), sizeof RedBlueJpeg));
        Folder.Write("green.jpg", std::string(reinterpret_cast<const char*>(GreenJpeg), sizeof GreenJpeg));
    }

    std::string Value(const char* name) const
    {
        return Registry.Value(TRegistryRoot::CurrentUser, "Control Panel\\Desktop", name)
            .value_or("<missing>");
    }

    PixelImage Written() const
    {
        const std::string file = FileBytes(Folder / "MyWallpaper.bmp");
        PixelImage image;
        DecodeBmp(reinterpret_cast<const uint8_t*>(file.data()), file.size(), image.Allocator());
        return image;
    }

    TTempFolder Folder;
    TFakeDesktop Desktop{Folder.Path()};
    TFakeRegistry Registry;
    TWallpaperSystem System{Desktop, Registry, nullptr};
};

// Within a few steps of 0xRRGGBB (JPEG colours are not exact).
::testing::AssertionResult Near(const PixelImage& image, int x, int y, uint32_t rgb)
{
    const uint8_t* p = image.Row(y) + x * 3;
    const int want[3] = {static_cast<int>(rgb & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                         static_cast<int>(rgb >> 16)};
    for (int c = 0; c < 3; ++c)
        if (std::abs(p[c] - want[c]) > 6)
            return ::testing::AssertionFailure()
                   << "at " << x << "," << y << ": " << int(p[2]) << "," << int(p[1]) << "," << int(p[0]);
    return ::testing::AssertionSuccess();
}

constexpr uint32_t Red = 0xFF0000, Blue = 0x0000FF, Green = 0x00FF00;

// RedBlueJpeg (left half red, right half blue) with an Exif block saying
// "turn a quarter clockwise": upright, red is the top half.
std::string TurnedRedBlueJpeg()
{
    const std::string tiff("MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0", 26);
    const std::string exif = std::string("Exif\0\0", 6) + tiff;
    const size_t length = exif.size() + 2;
    const std::string app1 =
        std::string("\xFF\xE1", 2) + static_cast<char>(length >> 8) + static_cast<char>(length & 0xFF) + exif;
    const std::string jpeg(reinterpret_cast<const char*>(RedBlueJpeg), sizeof RedBlueJpeg);
    return jpeg.substr(0, 2) + app1 + jpeg.substr(2);
}

} // namespace

TEST_F(RenderedWallpaperTest, OneMonitorGetsABitmapOfItsSizeWithBandsInTheBackgroundColour)
{
    Desktop.Screens = {{0, 0, 64, 48}};
    ApplyWallpaper({Folder / "green.jpg"}, 3, System); // 16x8 fitted: 64x32, bands of 8 rows
    PixelImage bitmap = Written();
    ASSERT_EQ(bitmap.Width(), 64);
    ASSERT_EQ(bitmap.Height(), 48);
    EXPECT_TRUE(Near(bitmap, 0, 0, Background));
    EXPECT_TRUE(Near(bitmap, 63, 7, Background));
    EXPECT_TRUE(Near(bitmap, 0, 8, Green));
    EXPECT_TRUE(Near(bitmap, 63, 39, Green));
    EXPECT_TRUE(Near(bitmap, 32, 40, Background));
    EXPECT_EQ(Value("Wallpaper"), Folder / "MyWallpaper.bmp");
    EXPECT_EQ(Value("WallpaperStyle"), "6");
    EXPECT_EQ(Value("TileWallpaper"), "0");
    ASSERT_EQ(Desktop.WallpaperCalls.size(), 1u);

    // Drawn again when the screen changes.
    TCurrentWallpaper current;
    current.Apply({Folder / "green.jpg"}, 4, System);
    Desktop.Screens = {{0, 0, 40, 30}};
    current.Redraw(System);
    bitmap = Written();
    EXPECT_EQ(bitmap.Width(), 40);
    EXPECT_EQ(bitmap.Height(), 30);
    EXPECT_TRUE(Near(bitmap, 0, 0, Green));
    EXPECT_EQ(Value("WallpaperStyle"), "10");
}

TEST_F(RenderedWallpaperTest, TwoMonitorsOfDifferentSizesTheSameOrADifferentPictureEach)
{
    // Primary 64x48; a 40x30 one left of it, 10 lower. Virtual screen
    // -40,0 - 64,48: the bitmap is 104x48, and desktop x shows its column
    // (x + 104) mod 104, because Windows lays it from the primary's corner.
    Desktop.Screens = {{0, 0, 64, 48}, {-40, 10, 0, 40}};
    const auto at = [](int x) { return (x + 104) % 104; };

    ApplyWallpaper({Folder / "redblue.jpg"}, 4, System); // Fill: left half red, right half blue
    PixelImage bitmap = Written();
    ASSERT_EQ(bitmap.Width(), 104);
    ASSERT_EQ(bitmap.Height(), 48);
    EXPECT_TRUE(Near(bitmap, at(2), 2, Red));
    EXPECT_TRUE(Near(bitmap, at(61), 45, Blue));
    EXPECT_TRUE(Near(bitmap, at(-38), 12, Red));
    EXPECT_TRUE(Near(bitmap, at(-3), 38, Blue));
    EXPECT_TRUE(Near(bitmap, at(-20), 5, Background));  // above the left monitor
    EXPECT_TRUE(Near(bitmap, at(-20), 44, Background)); // below it
    EXPECT_EQ(Value("WallpaperStyle"), "0");
    EXPECT_EQ(Value("TileWallpaper"), "1");

    ApplyWallpaper({Folder / "redblue.jpg", Folder / "green.jpg"}, 2, System); // Stretch, one each
    bitmap = Written();
    EXPECT_TRUE(Near(bitmap, at(2), 2, Red));
    EXPECT_TRUE(Near(bitmap, at(-38), 12, Green));
    EXPECT_TRUE(Near(bitmap, at(-3), 38, Green));

    ApplyWallpaper({Folder / "green.jpg"}, 5, System); // Span 16x8 over 104x48: 104x52, 2 rows cut
    bitmap = Written();
    EXPECT_TRUE(Near(bitmap, at(-20), 5, Green));
    EXPECT_TRUE(Near(bitmap, at(63), 47, Green));
}

TEST_F(RenderedWallpaperTest, AnUnreadablePictureChangesNothingAndTileKeepsThePictureAsItIs)
{
    Folder.Write("MyWallpaper.bmp", "old");
    Folder.Write("cut.jpg", std::string(reinterpret_cast<const char*>(RedBlueJpeg), 200));
    EXPECT_FALSE(ErrorOf([&] { ApplyWallpaper({Folder / "missing.jpg"}, 4, System); }).empty());
    EXPECT_FALSE(ErrorOf([&] { ApplyWallpaper({Folder / "cut.jpg"}, 3, System); }).empty());
    EXPECT_EQ(FileBytes(Folder / "MyWallpaper.bmp"), "old");
    EXPECT_TRUE(Desktop.WallpaperCalls.empty());
    EXPECT_EQ(Value("Wallpaper"), "<missing>");
    // Not a picture, or no such style: nothing at all.
    ApplyWallpaper({Folder / "notes.txt"}, 4, System);
    ApplyWallpaper({Folder / "green.jpg"}, 6, System);
    EXPECT_TRUE(Desktop.WallpaperCalls.empty());

    Folder.Write("MyWallpaper.bmp", "old");
    const std::string bmp = Folder / "tile.bmp";
    PixelImage small(3, 2);
    PutFileBytes(bmp, [&] {
        const std::vector<uint8_t> bytes = EncodeBmp24(3, 2, small.Rows());
        return std::string(bytes.begin(), bytes.end());
    }());
    ApplyWallpaper({bmp}, 1, System);
    ASSERT_EQ(Desktop.WallpaperCalls.size(), 1u);
    EXPECT_EQ(Desktop.WallpaperCalls[0], bmp);
    EXPECT_EQ(Value("TileWallpaper"), "1");
}

TEST_F(RenderedWallpaperTest, AnExifTurnedJpegIsUprightOnTheDesktopInTheTileBitmapAndInThePreview)
{
    Folder.Write("turned.jpg", TurnedRedBlueJpeg());
    Desktop.Screens = {{0, 0, 32, 32}};
    ApplyWallpaper({Folder / "turned.jpg"}, 2, System);
    const PixelImage stretched = Written();
    EXPECT_TRUE(Near(stretched, 3, 3, Red));
    EXPECT_TRUE(Near(stretched, 28, 3, Red));
    EXPECT_TRUE(Near(stretched, 3, 28, Blue));

    const TDecodedJpeg tile = DecodeJpegFile(Folder / "turned.jpg");
    TDecodedJpeg copy = tile;
    const PixelRows rows = copy.Rows();
    const uint8_t* topRight = rows.Row(1) + 14 * 3;
    const uint8_t* bottomLeft = rows.Row(14) + 1 * 3;
    EXPECT_GT(topRight[2], 200);   // red
    EXPECT_GT(bottomLeft[0], 200); // blue

    TJPEGImage preview;
    const std::string bytes = TurnedRedBlueJpeg();
    preview.LoadFromBytes(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_EQ(preview.Width(), 16);
    EXPECT_GT(preview.Bitmap().ScanLine(1)[14 * 3 + 2], 200);
    EXPECT_GT(preview.Bitmap().ScanLine(14)[1 * 3], 200);
}

namespace {

// A desktop whose monitors have scales of their own, answering as Windows
// does: their physical rectangles to a per-monitor aware thread, and to a
// DPI-unaware one each rectangle divided by its monitor's scale (a 150 %
// monitor of 96 x 60 pixels reads as 64 x 40).
class TScaledMonitorsDesktop : public TFakeDesktop {
public:
    using TFakeDesktop::TFakeDesktop;

    struct Monitor {
        TScreenRect Physical;
        int Percent;
    };
    std::vector<Monitor> Scaled;
    // The awareness of the thread at each question.
    std::vector<TDpiAwareness> AskedAs;

    std::vector<TScreenRect> Monitors() override
    {
        const TDpiAwareness awareness = ThreadDpiAwareness();
        AskedAs.push_back(awareness);
        std::vector<TScreenRect> rects;
        for (const Monitor& monitor : Scaled) {
            const int percent = awareness == TDpiAwareness::PerMonitorAware ? 100 : monitor.Percent;
            const TScreenRect& r = monitor.Physical;
            rects.push_back({r.Left * 100 / percent, r.Top * 100 / percent, r.Right * 100 / percent,
                             r.Bottom * 100 / percent});
        }
        return rects;
    }
};

class ScaledMonitorsTest : public RenderedWallpaperTest {
protected:
    // This thread meets the desktop as an unaware process would (as the
    // test program, which declares no awareness, does anyway), unless the
    // program asks otherwise.
    ScaledMonitorsTest()
    {
        using SetContext = HANDLE(WINAPI*)(HANDLE);
        const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
        EXPECT_NE(set, nullptr);
        if (set)
            set(reinterpret_cast<HANDLE>(-1)); // DPI_AWARENESS_CONTEXT_UNAWARE
        Scaled.Background = Background;
    }

    TScaledMonitorsDesktop Scaled{Folder.Path()};
    TWallpaperSystem ScaledSystem{Scaled, Registry, nullptr};
};

} // namespace

TEST_F(ScaledMonitorsTest, AMonitorAt150PercentGetsAWallpaperOfItsPhysicalSize)
{
    Scaled.Scaled = {{{0, 0, 96, 60}, 150}};
    ASSERT_EQ(ThreadDpiAwareness(), TDpiAwareness::Unaware);
    ASSERT_EQ(Scaled.Monitors().front(), (TScreenRect{0, 0, 64, 40})); // what an unaware process reads

    ApplyWallpaper({Folder / "green.jpg"}, 4, ScaledSystem); // Fill
    const PixelImage bitmap = Written();
    EXPECT_EQ(bitmap.Width(), 96);
    EXPECT_EQ(bitmap.Height(), 60);
    EXPECT_TRUE(Near(bitmap, 95, 59, Green));
    EXPECT_EQ(Scaled.AskedAs.back(), TDpiAwareness::PerMonitorAware);
    EXPECT_EQ(ThreadDpiAwareness(), TDpiAwareness::Unaware); // given back after the question
}

TEST_F(ScaledMonitorsTest, A150PercentLaptopBesideOrBelowA100PercentMonitorEachInItsOwnPixels)
{
    // Left of the laptop: the virtual screen is -64,0 - 96,60 (160 x 60);
    // desktop x shows bitmap column (x + 160) mod 160.
    Scaled.Scaled = {{{0, 0, 96, 60}, 150}, {{-64, 0, 0, 48}, 100}};
    const auto at = [](int x) { return (x + 160) % 160; };
    ApplyWallpaper({Folder / "redblue.jpg", Folder / "green.jpg"}, 2, ScaledSystem); // Stretch, one each
    PixelImage bitmap = Written();
    ASSERT_EQ(bitmap.Width(), 160);
    ASSERT_EQ(bitmap.Height(), 60);
    EXPECT_TRUE(Near(bitmap, at(1), 1, Red));
    EXPECT_TRUE(Near(bitmap, at(94), 58, Blue)); // the laptop's far corner: its whole width
    EXPECT_TRUE(Near(bitmap, at(-63), 0, Green));
    EXPECT_TRUE(Near(bitmap, at(-1), 47, Green));
    EXPECT_TRUE(Near(bitmap, at(-30), 55, Background)); // below the monitor

    // Above the laptop: -0,-48 - 96,60 (96 x 108); desktop y shows row
    // (y + 108) mod 108.
    Scaled.Scaled = {{{0, 0, 96, 60}, 150}, {{0, -48, 64, 0}, 100}};
    const auto row = [](int y) { return (y + 108) % 108; };
    ApplyWallpaper({Folder / "redblue.jpg", Folder / "green.jpg"}, 2, ScaledSystem);
    bitmap = Written();
    ASSERT_EQ(bitmap.Width(), 96);
    ASSERT_EQ(bitmap.Height(), 108);
    EXPECT_TRUE(Near(bitmap, 1, row(0), Red));
    EXPECT_TRUE(Near(bitmap, 94, row(59), Blue));
    EXPECT_TRUE(Near(bitmap, 1, row(-48), Green));
    EXPECT_TRUE(Near(bitmap, 63, row(-1), Green));
    EXPECT_TRUE(Near(bitmap, 80, row(-20), Background)); // right of the monitor
}

TEST_F(RenderedWallpaperTest, APictureSavedUnderAnotherFormatsNameIsDrawnByItsData)
{
    // A green PNG saved as ".jpg" and a red-and-blue JPEG saved as ".png",
    // each filling a monitor; the tick's decode takes the PNG as well.
    const std::vector<uint8_t> png = codec_test::PngImage(16, 8, Green);
    Folder.Write("green.jpg", std::string(png.begin(), png.end()));
    Folder.Write("redblue.png", std::string(reinterpret_cast<const char*>(RedBlueJpeg), sizeof RedBlueJpeg));
    Desktop.Screens = {{0, 0, 32, 16}, {32, 0, 64, 16}};
    ApplyWallpaper({Folder / "green.jpg", Folder / "redblue.png"}, 4, System);
    const PixelImage bitmap = Written();
    ASSERT_EQ(bitmap.Width(), 64);
    EXPECT_TRUE(Near(bitmap, 8, 8, Green));
    EXPECT_TRUE(Near(bitmap, 34, 8, Red));
    EXPECT_TRUE(Near(bitmap, 62, 8, Blue));
    const TDecodedJpeg tick = DecodeJpegFile(Folder / "green.jpg");
    EXPECT_EQ(tick.Width, 16);
    EXPECT_EQ(tick.Height, 8);
}

TEST_F(RenderedWallpaperTest, TheChangesOneDecodeIsAtTheScaleItsDrawingNeedsAndDrawsAsTheFileDoes)
{
    // 16x16 in "Fill" onto 8x8: decoded at half size, drawn as from the file.
    Desktop.Screens = {{0, 0, 8, 8}};
    const std::string path = Folder / "redblue.jpg";
    ASSERT_FALSE(ApplyWallpaper({path}, 4, System).empty());
    const std::string fromFile = FileBytes(Folder / "MyWallpaper.bmp");
    const TWallpaperPlan fill = PlanWallpaper({path}, 4, System);
    const TDecodedJpeg decoded = DecodeFirstPicture(fill, path);
    EXPECT_EQ(decoded.Width, 8);
    EXPECT_EQ(decoded.Height, 8);
    EXPECT_EQ(decoded.OwnWidth, 16);
    EXPECT_EQ(decoded.OwnHeight, 16);
    std::remove((Folder / "MyWallpaper.bmp").c_str());
    DrawWallpaper(fill, nullptr, {}, &decoded);
    EXPECT_EQ(FileBytes(Folder / "MyWallpaper.bmp"), fromFile);

    // Tile's bitmap is the whole picture, and so is its decode.
    const TDecodedJpeg tile = DecodeFirstPicture(PlanWallpaper({path}, 1, System), path);
    EXPECT_EQ(tile.Width, 16);
    EXPECT_EQ(tile.OwnWidth, 16);
}
