// The filter text, result parsing and buffer sizing of the file dialogs.

#include "framework/dialogs/FileDialogText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

std::vector<std::string> Parse(const std::string& buffer)
{
    return ParseDialogFiles(buffer.data(), buffer.size());
}

} // namespace

TEST(DialogFilter, BarsBecomeNulsAndTheListEndsWithTwo)
{
    EXPECT_EQ(DialogFilterText("Image list (*.lst)|*.lst"), "Image list (*.lst)\0*.lst\0\0"s);
    EXPECT_EQ(
        DialogFilterText(
            "All files (*.bmp;*.jpg)|*.bmp;*.jpg|JPEG Image File (*.jpg)|*.jpg|Bitmaps (*.bmp)|*.bmp"),
        "All files (*.bmp;*.jpg)\0*.bmp;*.jpg\0JPEG Image File (*.jpg)\0*.jpg\0Bitmaps (*.bmp)\0*.bmp\0\0"s);
    EXPECT_EQ(DialogFilterText(""), "\0\0"s);
}

TEST(DialogResult, OneFileIsItsFullPathAndSeveralAreFolderPlusNames)
{
    EXPECT_EQ(Parse("C:\\pics\\sea.jpg\0\0"s), (std::vector<std::string>{"C:\\pics\\sea.jpg"}));
    EXPECT_EQ(Parse("C:\\pics\0b.jpg\0a.bmp\0c.jpg\0\0"s),
              (std::vector<std::string>{"C:\\pics\\b.jpg", "C:\\pics\\a.bmp", "C:\\pics\\c.jpg"}));
    // A root folder already ends with its separator.
    EXPECT_EQ(Parse("C:\\\0a.jpg\0b.jpg\0\0"s), (std::vector<std::string>{"C:\\a.jpg", "C:\\b.jpg"}));
    // A name that is a full path of its own is kept as it is.
    EXPECT_EQ(Parse("C:\\pics\0D:\\other\\x.bmp\0y.bmp\0\0"s),
              (std::vector<std::string>{"D:\\other\\x.bmp", "C:\\pics\\y.bmp"}));
    EXPECT_TRUE(Parse("\0\0"s).empty());
}

TEST(DialogResult, ParsingStopsAtTheBufferEnd)
{
    const std::string unterminated = "C:\\pics\0a.jpg\0b.j"s;
    EXPECT_EQ(Parse(unterminated), (std::vector<std::string>{"C:\\pics\\a.jpg", "C:\\pics\\b.j"}));
    EXPECT_TRUE(ParseDialogFiles("", 0).empty());
}

TEST(DialogResult, FirstChosenFileForThePreview)
{
    EXPECT_EQ(FirstChosenFile("C:\\pics", "sea.jpg"), "C:\\pics\\sea.jpg");
    EXPECT_EQ(FirstChosenFile("C:\\pics", "\"b.jpg\" \"a.jpg\""), "C:\\pics\\b.jpg");
    EXPECT_EQ(FirstChosenFile("C:\\", "sea.jpg"), "C:\\sea.jpg");
    EXPECT_EQ(FirstChosenFile("C:\\pics", "D:\\x.bmp"), "D:\\x.bmp");
    EXPECT_EQ(FirstChosenFile("C:\\pics", ""), "");
    EXPECT_EQ(FirstChosenFile("C:\\pics", "\"unclosed.jpg"), "C:\\pics\\unclosed.jpg");
}

TEST(DialogBuffer, NeededSizeHoldsTheWholeResultOfAnySelection)
{
    // 2000 names of 40 characters: far beyond the 65 519 characters that
    // a 16-bit size could report.
    const std::string folder = "C:\\a folder with pictures";
    std::string quoted, result = folder + '\0';
    for (int i = 0; i < 2000; ++i) {
        const std::string name = "picture number " + std::to_string(100000 + i) + " of the set.jpg";
        quoted += (i ? " \"" : "\"") + name + "\"";
        result += name + '\0';
    }
    result += '\0';
    const size_t needed = NeededFileBufferSize(folder.size(), quoted.size());
    EXPECT_GE(needed, result.size());
    EXPECT_GT(needed, 65519u);
}

TEST(DialogBuffer, GrowsAtLeastToTheNeedAndAtLeastDouble)
{
    EXPECT_EQ(GrownFileBufferSize(65536, 1000), 65536u);
    EXPECT_EQ(GrownFileBufferSize(65536, 65536), 65536u);
    EXPECT_EQ(GrownFileBufferSize(65536, 70000), 131072u);
    EXPECT_EQ(GrownFileBufferSize(65536, 500000), 500000u);
}
