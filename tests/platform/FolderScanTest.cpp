// The picture files of a real folder tree on the disk.

#include "platform/FolderScan.h"

#include "platform/Files.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

void MakeFolder(const std::string& path)
{
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
}

} // namespace

TEST(FolderScan, ListsThePicturesOfAFolderTreeInNameOrder)
{
    TTempFolder root;
    MakeFolder(root / "Beta");
    MakeFolder(root / "alpha");
    MakeFolder(root / "alpha\\empty");
    MakeFolder(root / "folder.jpg");
    for (const char* name : {"b.JPG", "a.png", "readme.txt", "c.webp", "alpha\\z.bmp", "alpha\\caf\xE9.jpeg",
                             "Beta\\1.gif", "Beta\\notes.doc", "folder.jpg\\in.tiff"})
        root.Write(name, "x");
    const std::string& p = root.Path();
    const TPictureScan scan = ScanPictureFolder(p);
    EXPECT_EQ(scan.Pictures, (std::vector<std::string>{p + "\\a.png", p + "\\b.JPG", p + "\\c.webp",
                                                       p + "\\alpha\\caf\xE9.jpeg", p + "\\alpha\\z.bmp",
                                                       p + "\\Beta\\1.gif", p + "\\folder.jpg\\in.tiff"}));
    EXPECT_EQ(scan.SkippedFolders, 0);
    EXPECT_EQ(ScanPictureFolder(p + "\\").Pictures, scan.Pictures);
}

TEST(FolderScan, NamesOutsideTheCodePageOpenOrAreCounted)
{
    TTempFolder root;
    const std::wstring wide =
        std::wstring(root.Path().begin(), root.Path().end()) + L"\\\u03A9mega picture.jpg";
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const TPictureScan scan = ScanPictureFolder(root.Path());
    EXPECT_EQ(scan.Pictures.size() + static_cast<size_t>(scan.UnusableNames), 1u);
    for (const std::string& path : scan.Pictures)
        EXPECT_TRUE(FileExists(path)) << path;
}

TEST(FolderScan, AFolderThatCannotBeReadIsAnError)
{
    TTempFolder root;
    EXPECT_EQ(ErrorOf([&] { ScanPictureFolder(root / "missing"); }), "Invalid filename");
    root.Write("file.jpg");
    EXPECT_NE(ErrorOf([&] { ScanPictureFolder(root / "file.jpg"); }), "");
}
