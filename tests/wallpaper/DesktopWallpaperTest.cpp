#include "wallpaper/DesktopWallpaper.h"

#include "core/Exceptions.h"
#include "platform/FakeDesktop.h"
#include "platform/FakeRegistry.h"
#include "wallpaper/WallpaperFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

constexpr const char* WindowsDir = "C:\\windows";
constexpr const char* Target = "C:\\windows\\MyWallpaper.bmp";

// The desktop, the registry and the converter share one journal, so the
// order of everything the apply does can be read off it.
class DesktopWallpaperTest : public testing::Test {
protected:
    DesktopWallpaperTest() { Registry.AddKey(TRegistryRoot::CurrentUser, "Control Panel\\Desktop"); }

    void Apply(const std::string& path, const std::string& style = "0", const std::string& tile = "0")
    {
        SetDesktopWallpaper(path, style, tile, System);
    }

    std::string DesktopValue(const char* name) const
    {
        return Registry.Value(TRegistryRoot::CurrentUser, "Control Panel\\Desktop", name)
            .value_or("<missing>");
    }

    std::vector<std::string> Journal;
    TFakeDesktop Desktop{WindowsDir, &Journal};
    TFakeRegistry Registry{&Journal};
    TWallpaperSystem System{Desktop, Registry, [this](const std::string& jpeg, const std::string& bitmap) {
                                Journal.push_back("Convert " + jpeg + " -> " + bitmap);
                                if (FailConversion)
                                    throw EJPEG::FromMessageCode(53);
                            }};
    bool FailConversion = false;
};

} // namespace

TEST_F(DesktopWallpaperTest, JpegAndOtherPicturesAreConvertedAndTheBitmapIsWrittenBeforeTheSystemCall)
{
    for (const char* path :
         {"C:\\pics\\sea.jpg", "C:\\PICS\\SEA.JPG", "C:\\pics\\sea.jpgx", "D:sea.JpG", "C:\\pics\\sea.jpeg",
          "C:\\pics\\sea.PNG", "C:\\pics\\sea.gif", "C:\\pics\\sea.tiff", "C:\\pics\\sea.webp"}) {
        Journal.clear();
        Apply(path, "0", "1");
        const std::string source = path;
        EXPECT_THAT(Journal, ElementsAre("WindowsDirectory", "Convert " + source + " -> " + Target,
                                         "OpenKey \\Control Panel\\Desktop",
                                         std::string("WriteString Wallpaper=") + Target,
                                         "WriteString WallpaperStyle=0", "WriteString TileWallpaper=1",
                                         "CloseKey", std::string("SetDeskWallpaper ") + Target))
            << path;
        EXPECT_EQ(DesktopValue("Wallpaper"), Target);
    }
    EXPECT_EQ(Registry.LiveAccessors(), 0);
}

TEST_F(DesktopWallpaperTest, BitmapIsAppliedInPlace)
{
    for (const char* path : {"C:\\pics\\sea.bmp", "C:\\pics\\SEA.BMP2", "sea.Bmp"}) {
        Journal.clear();
        Apply(path, "2", "0");
        const std::string source = path;
        EXPECT_THAT(Journal,
                    ElementsAre("OpenKey \\Control Panel\\Desktop", "WriteString Wallpaper=" + source,
                                "WriteString WallpaperStyle=2", "WriteString TileWallpaper=0", "CloseKey",
                                "SetDeskWallpaper " + source))
            << path;
    }
}

TEST_F(DesktopWallpaperTest, ABitmapNamedTooLongForTheWallpaperCallIsConvertedLikeAnyPicture)
{
    // 259 UTF-16 units still fit; "é" is one unit in two UTF-8 bytes.
    const std::string folder = "C:\\" + std::string(200, 'a') + "\\";
    const std::string fits = folder + std::string(259 - folder.size() - 4, 'b') + ".bmp";
    const std::string accented = folder + std::string(258 - folder.size() - 4, 'b') + "\xC3\xA9.bmp";
    const std::string tooLong = folder + std::string(260 - folder.size() - 4, 'b') + ".bmp";
    for (const std::string& path : {fits, accented}) {
        Journal.clear();
        Apply(path, "0", "1");
        EXPECT_EQ(Journal.back(), "SetDeskWallpaper " + path);
        EXPECT_EQ(Desktop.Wallpaper, path);
    }
    Journal.clear();
    Apply(tooLong, "0", "1");
    EXPECT_THAT(Journal, ElementsAre("WindowsDirectory", "Convert " + tooLong + " -> " + Target,
                                     "OpenKey \\Control Panel\\Desktop",
                                     std::string("WriteString Wallpaper=") + Target,
                                     "WriteString WallpaperStyle=0", "WriteString TileWallpaper=1",
                                     "CloseKey", std::string("SetDeskWallpaper ") + Target));
}

TEST_F(DesktopWallpaperTest, OtherFilesAreSilentlyIgnored)
{
    for (const char* path : {"C:\\pics\\sea.jpegx", "C:\\pics\\sea.ico", "C:\\pics\\sea.pn", "C:\\pics\\sea",
                             "C:\\pics.old\\photo", "C:\\pics.jpg\\photo", ""}) {
        EXPECT_NO_THROW(Apply(path)) << path;
        EXPECT_THAT(Journal, IsEmpty()) << path;
    }
    EXPECT_EQ(DesktopValue("Wallpaper"), "<missing>");
}

TEST_F(DesktopWallpaperTest, EachStylePairReachesTheDesktopValues)
{
    for (int index = 0; index < 3; ++index) {
        const TWallpaperStyle style = *WallpaperStyleForIndex(index);
        Apply("C:\\pics\\sea.bmp", style.WallpaperStyle, style.TileWallpaper);
        EXPECT_EQ(DesktopValue("WallpaperStyle"), style.WallpaperStyle);
        EXPECT_EQ(DesktopValue("TileWallpaper"), style.TileWallpaper);
    }
}

TEST_F(DesktopWallpaperTest, MissingDesktopKeyWritesNothingButStillCallsTheSystem)
{
    TFakeRegistry emptyRegistry{&Journal};
    TWallpaperSystem system{Desktop, emptyRegistry, System.ConvertJpegToBitmap};
    SetDesktopWallpaper("C:\\pics\\sea.jpg", "0", "0", system);
    EXPECT_THAT(Journal,
                ElementsAre("WindowsDirectory", std::string("Convert C:\\pics\\sea.jpg -> ") + Target,
                            "OpenKey \\Control Panel\\Desktop failed",
                            std::string("SetDeskWallpaper ") + Target));
    // The key is never created.
    EXPECT_FALSE(emptyRegistry.HasKey(TRegistryRoot::CurrentUser, "Control Panel\\Desktop"));
}

TEST_F(DesktopWallpaperTest, RefusedWriteStopsBeforeTheSystemCallAndClosesTheKey)
{
    Registry.RefuseWritesOf("WallpaperStyle");
    try {
        Apply("C:\\pics\\sea.bmp");
        FAIL() << "no error raised";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'WallpaperStyle'");
    }
    EXPECT_THAT(Journal,
                ElementsAre("OpenKey \\Control Panel\\Desktop", "WriteString Wallpaper=C:\\pics\\sea.bmp",
                            "WriteString WallpaperStyle=0", "CloseKey"));
    // What was written before the refusal stays.
    EXPECT_EQ(DesktopValue("Wallpaper"), "C:\\pics\\sea.bmp");
    EXPECT_THAT(Desktop.WallpaperCalls, IsEmpty());
    EXPECT_EQ(Registry.LiveAccessors(), 0);
}

TEST_F(DesktopWallpaperTest, FailedConversionTouchesNeitherRegistryNorDesktop)
{
    FailConversion = true;
    EXPECT_THROW(Apply("C:\\pics\\sea.jpg"), EJPEG);
    EXPECT_THAT(Journal,
                ElementsAre("WindowsDirectory", std::string("Convert C:\\pics\\sea.jpg -> ") + Target));
}

TEST_F(DesktopWallpaperTest, JpegGoesToTheUsersFolderWhenTheWindowsFolderIsClosed)
{
    Desktop.ClosedFolders = {WindowsDir};
    Apply("C:\\pics\\sea.jpg");
    const std::string target = Desktop.UserFolder + "MyWallpaper.bmp";
    EXPECT_THAT(Journal,
                ElementsAre("WindowsDirectory", "UserDataFolder", "Convert C:\\pics\\sea.jpg -> " + target,
                            "OpenKey \\Control Panel\\Desktop", "WriteString Wallpaper=" + target,
                            "WriteString WallpaperStyle=0", "WriteString TileWallpaper=0", "CloseKey",
                            "SetDeskWallpaper " + target));

    // A bitmap needs no writing and stays where it is.
    Journal.clear();
    Apply("C:\\pics\\hill.bmp");
    EXPECT_EQ(Desktop.WallpaperCalls.back(), "C:\\pics\\hill.bmp");
}

TEST_F(DesktopWallpaperTest, NoFolderToConvertIntoIsAClearErrorThatTouchesNothing)
{
    Desktop.ClosedFolders = {WindowsDir};
    Desktop.UserFolder.clear();
    EXPECT_THROW(Apply("C:\\pics\\sea.jpg"), EInOutError);
    EXPECT_THAT(Journal, ElementsAre("WindowsDirectory", "UserDataFolder"));
}
