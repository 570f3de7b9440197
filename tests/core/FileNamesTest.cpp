#include "core/FileNames.h"

#include <gtest/gtest.h>

TEST(FileNames, SplitAtTheLastBackslashOrColon)
{
    EXPECT_EQ(ExtractFilePath("C:\\pics\\sea.jpg"), "C:\\pics\\");
    EXPECT_EQ(ExtractFileName("C:\\pics\\sea.jpg"), "sea.jpg");
    EXPECT_EQ(ExtractFilePath("C:sea.jpg"), "C:");
    EXPECT_EQ(ExtractFileName("C:sea.jpg"), "sea.jpg");
    EXPECT_EQ(ExtractFileName("\\\\server\\share\\a b .bmp"), "a b .bmp");
    // "/" is not a separator for the program.
    EXPECT_EQ(ExtractFileName("C:\\pics/sea.jpg"), "pics/sea.jpg");
    EXPECT_EQ(ExtractFilePath("sea.jpg"), "");
    EXPECT_EQ(ExtractFileName("sea.jpg"), "sea.jpg");
    EXPECT_EQ(ExtractFileName("C:\\pics\\"), "");
    EXPECT_EQ(ExtractFileName(""), "");
}

TEST(FileNames, ExtensionIsFromTheLastDotOfTheFileNamePart)
{
    EXPECT_EQ(ExtractFileExt("C:\\pics\\sea.tar.jpg"), ".jpg");
    EXPECT_EQ(ExtractFileExt("C:\\pics\\sea"), "");
    EXPECT_EQ(ExtractFileExt("C:\\pics.old\\photo"), "");
    EXPECT_EQ(ExtractFileExt("D:.bmp"), ".bmp");
    EXPECT_EQ(ExtractFileExt("a.b:photo"), "");
    EXPECT_EQ(ExtractFileExt("photo."), ".");
    EXPECT_EQ(ExtractFileExt(".gif"), ".gif");
}
