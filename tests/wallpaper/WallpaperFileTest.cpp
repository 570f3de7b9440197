#include "wallpaper/WallpaperFile.h"

#include <gtest/gtest.h>

TEST(WallpaperFile, ExtensionIsUpperCasedAndCutToFourCharacters)
{
    EXPECT_EQ(WallpaperExtension("C:\\sea.jpg"), ".JPG");
    EXPECT_EQ(WallpaperExtension("C:\\sea.jpeg"), ".JPE");
    EXPECT_EQ(WallpaperExtension("C:\\sea.Bmp2"), ".BMP");
    EXPECT_EQ(WallpaperExtension("C:\\pics.old\\photo"), "");
    // Only ASCII letters change; other bytes stay as they are.
    EXPECT_EQ(WallpaperExtension("C:\\x.j\xe9g"), ".J\xe9G");
}

TEST(WallpaperFile, KindIsDecidedByTheNameAlone)
{
    struct Case {
        const char* Path;
        TWallpaperKind Kind;
    };
    const Case cases[] = {
        {"C:\\pics\\sea.jpg", TWallpaperKind::Jpeg},     {"C:\\PICS\\SEA.JPG", TWallpaperKind::Jpeg},
        {"C:\\pics\\sea.JpG", TWallpaperKind::Jpeg},     {"C:\\pics\\sea.jpgx", TWallpaperKind::Jpeg},
        {"C:\\pics\\sea.jpeg", TWallpaperKind::Jpeg},    {"C:\\pics\\SEA.JPE", TWallpaperKind::Jpeg},
        {"C:\\pics\\sea.Jfif", TWallpaperKind::Jpeg},    {"C:\\pics\\sea.bmp", TWallpaperKind::Bitmap},
        {"C:\\pics\\sea.BMP2", TWallpaperKind::Bitmap},  {"sea.bmp", TWallpaperKind::Bitmap},
        {"C:\\pics\\sea.gif", TWallpaperKind::Picture},  {"C:\\pics\\sea.PNG", TWallpaperKind::Picture},
        {"C:\\pics\\sea.tif", TWallpaperKind::Picture},  {"C:\\pics\\sea.tiff", TWallpaperKind::Picture},
        {"C:\\pics\\sea.webp", TWallpaperKind::Picture}, {"C:\\pics\\sea.jpegx", TWallpaperKind::None},
        {"C:\\pics\\sea.pngx", TWallpaperKind::None},    {"C:\\pics\\sea.ico", TWallpaperKind::None},
        {"C:\\pics\\sea", TWallpaperKind::None},         {"C:\\pics.old\\photo", TWallpaperKind::None},
        {"C:\\pics.jpg\\photo", TWallpaperKind::None},   {"C:\\pics\\sea.jp", TWallpaperKind::None},
        {"C:\\pics\\sea.jpg.", TWallpaperKind::None},    {"", TWallpaperKind::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WallpaperKindOf(c.Path), c.Kind) << c.Path;
}

TEST(WallpaperFile, EachDisplayStyleHasItsValuePair)
{
    const auto center = WallpaperStyleForIndex(0);
    const auto tile = WallpaperStyleForIndex(1);
    const auto stretch = WallpaperStyleForIndex(2);
    ASSERT_TRUE(center && tile && stretch);
    EXPECT_EQ(center->WallpaperStyle, "0");
    EXPECT_EQ(center->TileWallpaper, "0");
    EXPECT_EQ(tile->WallpaperStyle, "0");
    EXPECT_EQ(tile->TileWallpaper, "1");
    EXPECT_EQ(stretch->WallpaperStyle, "2");
    EXPECT_EQ(stretch->TileWallpaper, "0");
    EXPECT_FALSE(WallpaperStyleForIndex(-1));
    EXPECT_FALSE(WallpaperStyleForIndex(3));
}
