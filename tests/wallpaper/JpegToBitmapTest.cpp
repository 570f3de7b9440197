#include "wallpaper/JpegToBitmap.h"
#include "support/ErrorOf.h"

#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "core/codec/BmpCodec.h"
#include "core/codec/PixelImage.h"
#include "platform/FakeDesktop.h"
#include "platform/Registry.h"
#include "platform/SystemError.h"
#include "support/SamplePictures.h"
#include "support/TempFolder.h"
#include "wallpaper/DesktopWallpaper.h"
#include "wallpaper/PictureToBitmap.h"
#include "wallpaper/SampleJpegs.h"

#include <cstdlib>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using testing::IsEmpty;
using testing::UnorderedElementsAre;

namespace {

template <size_t N>
std::string Bytes(const unsigned char (&data)[N])
{
    return std::string(reinterpret_cast<const char*>(data), N);
}

// The BMP file at `path`, decoded; also checks it is the 24-bit kind.
PixelImage ReadBitmap(const std::string& path)
{
    const std::string file = FileBytes(path);
    const auto* data = reinterpret_cast<const uint8_t*>(file.data());
    const BmpInfo info = ReadBmpInfo(data, file.size());
    EXPECT_EQ(info.BitCount, 24);
    EXPECT_TRUE(info.HasFileHeader);
    PixelImage image;
    DecodeBmp(data, file.size(), image.Allocator());
    return image;
}

// True when pixel (x, y) is within a few steps of the colour (r, g, b).
bool PixelNear(const PixelImage& image, int x, int y, int r, int g, int b)
{
    const uint8_t* p = image.Row(y) + x * 3;
    return std::abs(p[0] - b) <= 4 && std::abs(p[1] - g) <= 4 && std::abs(p[2] - r) <= 4;
}

} // namespace

TEST(ConvertJpegToBitmap, WritesTheFullSizePictureAsA24BitBmp)
{
    TTempFolder folder;
    PutFileBytes(folder / "sea.jpg", Bytes(RedBlueJpeg));
    ConvertJpegToBitmap(folder / "sea.jpg", folder / "MyWallpaper.bmp");
    const PixelImage image = ReadBitmap(folder / "MyWallpaper.bmp");
    ASSERT_EQ(image.Width(), 16);
    ASSERT_EQ(image.Height(), 16);
    for (int y : {0, 7, 15}) {
        EXPECT_TRUE(PixelNear(image, 1, y, 255, 0, 0)) << y;
        EXPECT_TRUE(PixelNear(image, 14, y, 0, 0, 255)) << y;
    }
    // The file is replaced whole by the next conversion.
    PutFileBytes(folder / "grass.jpg", Bytes(GreenJpeg));
    ConvertJpegToBitmap(folder / "grass.jpg", folder / "MyWallpaper.bmp");
    const PixelImage second = ReadBitmap(folder / "MyWallpaper.bmp");
    EXPECT_EQ(second.Width(), 16);
    EXPECT_EQ(second.Height(), 8);
    EXPECT_TRUE(PixelNear(second, 8, 4, 0, 255, 0));
}

TEST(ConvertJpegToBitmap, RowsGoBottomUpWithZeroPaddingAndThePreviewSeesThemTopDown)
{
    TTempFolder folder;
    PutFileBytes(folder / "bands.jpg", Bytes(YellowOverBlackJpeg));
    // The decode that a tick shares between its preview and its bitmap.
    TDecodedJpeg picture = DecodeJpegFile(folder / "bands.jpg");
    ASSERT_EQ(picture.Width, 5);
    ASSERT_EQ(picture.Height, 4);
    const PixelRows rows = picture.Rows();
    EXPECT_GT(rows.Row(0)[2], 240); // red of yellow
    EXPECT_LT(rows.Row(3)[2], 16);

    WriteBitmapFile(picture, folder / "MyWallpaper.bmp");
    const std::string file = FileBytes(folder / "MyWallpaper.bmp");
    const size_t stride = 16, pixelsAt = 54; // 5 pixels of 3 bytes, padded to 16
    ASSERT_EQ(file.size(), pixelsAt + 4 * stride);
    for (size_t row = 0; row < 4; ++row)
        EXPECT_EQ(file[pixelsAt + row * stride + 15], '\0') << "padding of file row " << row;
    const PixelImage image = ReadBitmap(folder / "MyWallpaper.bmp");
    EXPECT_TRUE(PixelNear(image, 4, 0, 255, 255, 0));
    EXPECT_TRUE(PixelNear(image, 0, 1, 255, 255, 0));
    EXPECT_TRUE(PixelNear(image, 0, 2, 0, 0, 0));
    EXPECT_TRUE(PixelNear(image, 4, 3, 0, 0, 0));
}

TEST(ConvertJpegToBitmap, FailuresLeaveTheOldBitmapAlone)
{
    TTempFolder folder;
    const std::string target = folder / "MyWallpaper.bmp";
    PutFileBytes(target, "old bitmap");

    const std::string missing = folder / "missing.jpg";
    EXPECT_EQ(ErrorOf([&] { ConvertJpegToBitmap(missing, target); }),
              "Cannot open file \"" + missing + "\". " + SystemErrorMessage(ERROR_FILE_NOT_FOUND));

    // Cut short inside the headers: libjpeg's error number, and the reason.
    PutFileBytes(folder / "cut.jpg", Bytes(RedBlueJpeg).substr(0, 40));
    const std::string cut = ErrorOf([&] { ConvertJpegToBitmap(folder / "cut.jpg", target); });
    EXPECT_EQ(cut.rfind("JPEG error #", 0), 0u) << cut;
    EXPECT_NE(cut.find(": the file ends before the picture does"), std::string::npos) << cut;
    PutFileBytes(folder / "text.jpg", "not a picture at all");
    EXPECT_THROW(ConvertJpegToBitmap(folder / "text.jpg", target), EJPEG);

    EXPECT_EQ(FileBytes(target), "old bitmap");
    EXPECT_THAT(folder.FileNames(), testing::UnorderedElementsAre("MyWallpaper.bmp", "cut.jpg", "text.jpg"));
}

TEST(ConvertJpegToBitmap, AConversionSupersededWhileItRunsLeavesTheDesktopsBitmapAlone)
{
    TTempFolder folder;
    const std::string target = folder / "MyWallpaper.bmp", sea = folder / "sea.jpg";
    PutFileBytes(target, "old bitmap");
    PutFileBytes(sea, Bytes(RedBlueJpeg));
    // Asked once the new bitmap is written, before it replaces the old one.
    int asked = 0;
    ConvertPictureToBitmap(sea, target, [&] { return ++asked == 0; });
    WriteBitmapFile(DecodeJpegFile(sea), target, [&] { return ++asked == 0; });
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(FileBytes(target), "old bitmap");
    EXPECT_THAT(folder.FileNames(), testing::UnorderedElementsAre("MyWallpaper.bmp", "sea.jpg"));
    // Still wanted: replaced.
    ConvertPictureToBitmap(sea, target, [] { return true; });
    EXPECT_EQ(ReadBitmap(target).Width(), DecodeJpegFile(sea).Width);
}

TEST(ConvertJpegToBitmap, UnwritableTargetIsReportedWithItsPath)
{
    TTempFolder folder;
    PutFileBytes(folder / "sea.jpg", Bytes(RedBlueJpeg));
    const std::string noFolder = folder / "no folder\\MyWallpaper.bmp";
    EXPECT_EQ(ErrorOf([&] { ConvertJpegToBitmap(folder / "sea.jpg", noFolder); }),
              "Cannot create file \"" + noFolder + "\". " + SystemErrorMessage(ERROR_PATH_NOT_FOUND));
    const std::string readOnly = folder / "MyWallpaper.bmp";
    PutFileBytes(readOnly, "old");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(ConvertJpegToBitmap(folder / "sea.jpg", readOnly), EFCreateError);
    EXPECT_EQ(FileBytes(readOnly), "old");
}

namespace {

// Applies wallpapers with the real converter and the real registry, and a
// fake desktop whose Windows directory is a test folder. The three desktop
// values of the test prefix are put back afterwards.
class WallpaperOnDiskTest : public testing::Test {
protected:
    WallpaperOnDiskTest()
    {
        TRegistry registry;
        if (registry.OpenKey("\\Control Panel\\Desktop", false)) {
            for (const char* name : {"Wallpaper", "WallpaperStyle", "TileWallpaper"})
                Saved.emplace_back(name, registry.ReadString(name));
        }
    }
    ~WallpaperOnDiskTest() override
    {
        TRegistry registry;
        if (registry.OpenKey("\\Control Panel\\Desktop", false)) {
            for (const auto& [name, value] : Saved)
                registry.WriteString(name, value);
        }
    }

    static std::string DesktopValue(const char* name)
    {
        TRegistry registry;
        registry.OpenKey("\\Control Panel\\Desktop", false);
        return registry.ReadString(name);
    }

    void Apply(const std::string& path, const char* style, const char* tile)
    {
        SetDesktopWallpaper(path, style, tile, System);
    }

    std::vector<std::pair<std::string, std::string>> Saved;
    TTempFolder Windows;
    TTempFolder Pictures;
    TFakeDesktop Desktop{Windows.Path()};
    TRegistryFactory Registry;
    TWallpaperSystem System{Desktop, Registry, ConvertJpegToBitmap};
};

} // namespace

TEST_F(WallpaperOnDiskTest, JpegBecomesTheOneWallpaperBitmapAndIsRecorded)
{
    ASSERT_EQ(Saved.size(), 3u) << "the prefix has no desktop key";
    const std::string target = Windows / "MyWallpaper.bmp";
    PutFileBytes(Pictures / "sea.jpg", Bytes(RedBlueJpeg));
    PutFileBytes(Pictures / "GRASS.JPG", Bytes(GreenJpeg));

    Apply(Pictures / "sea.jpg", "0", "1");
    EXPECT_EQ(DesktopValue("Wallpaper"), target);
    EXPECT_EQ(DesktopValue("WallpaperStyle"), "0");
    EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
    EXPECT_EQ(ReadBitmap(target).Height(), 16);

    Apply(Pictures / "GRASS.JPG", "2", "0");
    EXPECT_EQ(DesktopValue("WallpaperStyle"), "2");
    EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
    EXPECT_EQ(ReadBitmap(target).Height(), 8);
    // Nothing of the replaced bitmap stays beside it.
    EXPECT_THAT(Windows.FileNames(), ElementsAre("MyWallpaper.bmp"));
    EXPECT_THAT(Desktop.WallpaperCalls, ElementsAre(target, target));
}

TEST_F(WallpaperOnDiskTest, BitmapIsRecordedInPlaceAndOtherFilesAreIgnored)
{
    ASSERT_EQ(Saved.size(), 3u) << "the prefix has no desktop key";
    const std::string bitmap = Pictures / "sea.bmp";
    PutFileBytes(bitmap, "BM any content: the name decides");
    Apply(bitmap, "0", "0");
    EXPECT_EQ(DesktopValue("Wallpaper"), bitmap);
    EXPECT_THAT(Windows.FileNames(), IsEmpty());

    PutFileBytes(Pictures / "sea.ico", Bytes(RedBlueJpeg));
    Apply(Pictures / "sea.ico", "2", "0");
    EXPECT_EQ(DesktopValue("Wallpaper"), bitmap);
    EXPECT_EQ(DesktopValue("WallpaperStyle"), "0");
    EXPECT_THAT(Windows.FileNames(), IsEmpty());
    EXPECT_THAT(Desktop.WallpaperCalls, ElementsAre(bitmap));
}

TEST_F(WallpaperOnDiskTest, UnreadableJpegChangesNothing)
{
    ASSERT_EQ(Saved.size(), 3u) << "the prefix has no desktop key";
    const std::string before = DesktopValue("Wallpaper");
    PutFileBytes(Pictures / "broken.jpg", "\xFF\xD8\xFF garbage");
    EXPECT_THROW(Apply(Pictures / "broken.jpg", "0", "0"), EJPEG);
    EXPECT_THROW(Apply(Pictures / "absent.jpg", "0", "0"), EFOpenError);
    EXPECT_EQ(DesktopValue("Wallpaper"), before);
    EXPECT_THAT(Windows.FileNames(), IsEmpty());
    EXPECT_THAT(Desktop.WallpaperCalls, IsEmpty());
}

TEST_F(WallpaperOnDiskTest, EveryPictureFormatBecomesTheWallpaperBitmap)
{
    ASSERT_EQ(Saved.size(), 3u) << "the prefix has no desktop key";
    const std::string target = Windows / "MyWallpaper.bmp";
    const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    const auto looksLike = [](const PixelImage& image, int x, int y, COLORREF color) {
        return PixelNear(image, x, y, GetRValue(color), GetGValue(color), GetBValue(color));
    };
    struct Case {
        const char* Name;
        std::string Bytes;
        // Pixels (x, y) of the first row, and what they must be.
        std::vector<std::pair<int, COLORREF>> FirstRow;
    };
    const Case cases[] = {
        // Clear pixels show the desktop's own colour.
        {"clear.png", Bytes(AlphaPng), {{0, RGB(255, 0, 0)}, {1, desktop}, {3, RGB(0, 255, 0)}}},
        {"SEA.JPEG", Bytes(RedBlueJpeg), {{1, RGB(255, 0, 0)}, {14, RGB(0, 0, 255)}}},
        {"sea.jpe", Bytes(RedBlueJpeg), {{1, RGB(255, 0, 0)}}},
        {"sea.jfif", Bytes(RedBlueJpeg), {{14, RGB(0, 0, 255)}}},
        {"two.png", Bytes(TwoColourPng), {{0, RGB(0, 0, 128)}, {1, RGB(255, 165, 0)}}},
        {"frames.gif", Bytes(TwoFramesGif), {{0, RGB(255, 0, 0)}, {3, RGB(0, 0, 255)}}},
        {"pages.TIF", Bytes(TwoPagesTif), {{0, RGB(255, 0, 0)}, {3, RGB(0, 0, 255)}}},
        {"opaque.webp", Bytes(OpaqueWebp), {{1, RGB(0, 255, 0)}, {3, RGB(255, 255, 255)}}},
        {"clear.webp", Bytes(AlphaWebp), {{1, desktop}}},
    };
    for (const Case& c : cases) {
        PutFileBytes(Pictures / c.Name, c.Bytes);
        Apply(Pictures / c.Name, "0", "0");
        EXPECT_EQ(DesktopValue("Wallpaper"), target) << c.Name;
        const PixelImage image = ReadBitmap(target);
        for (const auto& [x, color] : c.FirstRow)
            EXPECT_TRUE(looksLike(image, x, 0, color)) << c.Name << " at " << x;
    }
    EXPECT_EQ(Desktop.WallpaperCalls.size(), std::size(cases));

    // A broken one changes nothing.
    PutFileBytes(Pictures / "broken.png", Bytes(AlphaPng).substr(0, 60));
    EXPECT_EQ(ErrorOf([&] { Apply(Pictures / "broken.png", "0", "0"); }), "PNG image is not valid");
    EXPECT_EQ(Desktop.WallpaperCalls.size(), std::size(cases));
    EXPECT_TRUE(looksLike(ReadBitmap(target), 1, 0, desktop));
}
