// The picture files of a real folder tree on the disk.

#include "platform/FolderScan.h"

#include "platform/Files.h"
#include "platform/WideText.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

void MakeFolder(const std::string& path)
{
    ASSERT_TRUE(CreateDirectoryW(WideFromUtf8(path).c_str(), nullptr)) << path;
}

} // namespace

TEST(FolderScan, ListsThePicturesOfAFolderTreeInNameOrder)
{
    TTempFolder root;
    MakeFolder(root / "Beta");
    MakeFolder(root / "alpha");
    MakeFolder(root / "alpha\\empty");
    MakeFolder(root / "folder.jpg");
    for (const char* name :
         {"b.JPG", "a.png", "readme.txt", "c.webp", "alpha\\z.bmp", "alpha\\caf\xc3\xa9.jpeg", "Beta\\1.gif",
          "Beta\\notes.doc", "folder.jpg\\in.tiff"})
        root.Write(name, "x");
    const std::string& p = root.Path();
    const TPictureScan scan = ScanPictureFolder(p);
    EXPECT_EQ(scan.Pictures, (std::vector<std::string>{p + "\\a.png", p + "\\b.JPG", p + "\\c.webp",
                                                       p + "\\alpha\\caf\xc3\xa9.jpeg", p + "\\alpha\\z.bmp",
                                                       p + "\\Beta\\1.gif", p + "\\folder.jpg\\in.tiff"}));
    EXPECT_EQ(scan.SkippedFolders, 0);
    EXPECT_EQ(ScanPictureFolder(p + "\\").Pictures, scan.Pictures);
}

TEST(FolderScan, NamesOutsideTheCodePageAreListedAsTheyAre)
{
    TTempFolder root;
    MakeFolder(root / "\xe5\xaf\x8c\xe5\xa3\xab");
    root.Write("\xe5\xaf\x8c\xe5\xa3\xab\\\xce\xa9mega picture.jpg", "x");
    const TPictureScan scan = ScanPictureFolder(root.Path());
    const std::string path = root / "\xe5\xaf\x8c\xe5\xa3\xab\\\xce\xa9mega picture.jpg";
    EXPECT_EQ(scan.Pictures, std::vector<std::string>{path});
    EXPECT_EQ(scan.UnusableNames, 0);
    EXPECT_TRUE(FileExists(path));
}

TEST(FolderScan, AFolderThatCannotBeReadIsAnError)
{
    TTempFolder root;
    EXPECT_EQ(ErrorOf([&] { ScanPictureFolder(root / "missing"); }), "Invalid filename");
    root.Write("file.jpg");
    EXPECT_NE(ErrorOf([&] { ScanPictureFolder(root / "file.jpg"); }), "");
}
