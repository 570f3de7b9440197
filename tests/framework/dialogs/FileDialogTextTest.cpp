// The filter text, result parsing and buffer sizing of the file dialogs.

#include "framework/dialogs/FileDialogText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

// A result buffer as the dialog leaves it, with the offset of the first name
// that the dialog reports beside it.
std::vector<std::wstring> Parse(const std::wstring& buffer, size_t fileOffset)
{
    return ParseDialogFiles(buffer.data(), buffer.size(), fileOffset);
}

using Paths = std::vector<std::wstring>;

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
    EXPECT_EQ(Parse(L"C:\\pics\\sea.jpg\0\0"s, 8), Paths{L"C:\\pics\\sea.jpg"});
    EXPECT_EQ(Parse(L"C:\\pics\0b.jpg\0a.bmp\0c.jpg\0\0"s, 8),
              (Paths{L"C:\\pics\\b.jpg", L"C:\\pics\\a.bmp", L"C:\\pics\\c.jpg"}));
    // A root folder already ends with its separator.
    EXPECT_EQ(Parse(L"C:\\\0a.jpg\0b.jpg\0\0"s, 4), (Paths{L"C:\\a.jpg", L"C:\\b.jpg"}));
    // A name that is a full path of its own is kept as it is.
    EXPECT_EQ(Parse(L"C:\\pics\0D:\\other\\x.bmp\0y.bmp\0\0"s, 8),
              (Paths{L"D:\\other\\x.bmp", L"C:\\pics\\y.bmp"}));
    EXPECT_TRUE(Parse(L"\0\0"s, 0).empty());
}

TEST(DialogResult, OnePathIsNotGluedToTheRestOfALongerOneBefore)
{
    // "C:\b.lst" written over "C:\lists\a_rather_long_list_name.lst": one
    // NUL ends the new path, the old tail follows it.
    const std::wstring buffer = L"C:\\b.lst\0a_rather_long_list_name.lst\0\0"s;
    EXPECT_EQ(Parse(buffer, 3), Paths{L"C:\\b.lst"});
}

TEST(DialogResult, ParsingStopsAtTheBufferEnd)
{
    EXPECT_EQ(Parse(L"C:\\pics\0a.jpg\0b.j"s, 8), (Paths{L"C:\\pics\\a.jpg", L"C:\\pics\\b.j"}));
    EXPECT_EQ(Parse(L"C:\\pics\\sea.j"s, 8), Paths{L"C:\\pics\\sea.j"});
    EXPECT_TRUE(ParseDialogFiles(L"", 0, 0).empty());
}

TEST(DialogResult, FirstChosenFileForThePreview)
{
    EXPECT_EQ(FirstChosenFile(L"C:\\pics", L"sea.jpg"), L"C:\\pics\\sea.jpg");
    EXPECT_EQ(FirstChosenFile(L"C:\\pics", L"\"b.jpg\" \"a.jpg\""), L"C:\\pics\\b.jpg");
    EXPECT_EQ(FirstChosenFile(L"C:\\", L"sea.jpg"), L"C:\\sea.jpg");
    EXPECT_EQ(FirstChosenFile(L"C:\\pics", L"D:\\x.bmp"), L"D:\\x.bmp");
    EXPECT_EQ(FirstChosenFile(L"C:\\pics", L""), L"");
    EXPECT_EQ(FirstChosenFile(L"C:\\pics", L"\"unclosed.jpg"), L"C:\\pics\\unclosed.jpg");
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
