#include "core/FolderWalk.h"
#include "core/Exceptions.h"
#include "core/PictureFileNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

namespace {

// Folders by path; a folder may stand for another (a link) by sharing its
// identity and entries, and may be unreadable.
class TFakeFolders : public IFolderReader {
public:
    struct TFolder {
        std::vector<TFolderEntry> Entries;
        uint64_t Id = 0;
        bool Readable = true;
    };
    std::map<std::string, TFolder> Folders;
    std::function<void(const std::string&)> OnList;

    TFolderListing List(const std::string& folder) override
    {
        if (OnList)
            OnList(folder);
        const auto found = Folders.find(folder);
        if (found == Folders.end() || !found->second.Readable)
            throw EInOutError::FromErrorCode(5);
        return {found->second.Entries, 0};
    }
    std::optional<TFolderIdentity> Identity(const std::string& folder) override
    {
        return TFolderIdentity{1, Folders.at(folder).Id};
    }
};

TFolderEntry File(const std::string& name)
{
    return {name, false};
}

TFolderEntry Folder(const std::string& name)
{
    return {name, true};
}

} // namespace

TEST(PictureFileNames, KnowsThePictureExtensionsInAnyCase)
{
    for (const char* name :
         {"a.bmp", "a.JPG", "a.jpeg", "a.Jpe", "a.jfif", "a.png", "a.GIF", "a.tif", "a.tiff", "x.y.webp"})
        EXPECT_TRUE(IsPictureFileName(name)) << name;
    for (const char* name : {"a.txt", "a.jpg.lnk", "jpg", "a.", "", "a.webpx", "Thumbs.db"})
        EXPECT_FALSE(IsPictureFileName(name)) << name;
}

TEST(PictureFileNames, NameOrderIgnoresCaseThenFallsBackToBytes)
{
    EXPECT_TRUE(NameBefore("apple.jpg", "Banana.jpg"));
    EXPECT_TRUE(NameBefore("B.jpg", "b.jpg"));
    EXPECT_FALSE(NameBefore("b.jpg", "B.jpg"));
    EXPECT_TRUE(NameBefore("a", "a.jpg"));
    EXPECT_TRUE(NameBefore("Z_", "z\xE9"));
    EXPECT_FALSE(NameBefore("same", "same"));
}

TEST(FolderWalk, ListsPicturesFolderByFolderInNameOrder)
{
    TFakeFolders disk;
    disk.Folders["C:\\p"] = {
        {Folder("sub B"), File("z.JPG"), File("notes.txt"), File("A.png"), Folder("sub a")}, 1};
    disk.Folders["C:\\p\\sub a"] = {{File("2.bmp"), File("10.bmp")}, 2};
    disk.Folders["C:\\p\\sub B"] = {{Folder("deeper.jpg"), File("x.gif")}, 3};
    disk.Folders["C:\\p\\sub B\\deeper.jpg"] = {{File("y.webp")}, 4};
    const TPictureScan scan = ScanPictures(disk, "C:\\p");
    EXPECT_EQ(scan.Pictures, (std::vector<std::string>{"C:\\p\\A.png", "C:\\p\\z.JPG", "C:\\p\\sub a\\10.bmp",
                                                       "C:\\p\\sub a\\2.bmp", "C:\\p\\sub B\\x.gif",
                                                       "C:\\p\\sub B\\deeper.jpg\\y.webp"}));
    EXPECT_EQ(scan.SkippedFolders, 0);

    disk.Folders["C:\\"] = {{File("r.jpg")}, 9};
    EXPECT_EQ(ScanPictures(disk, "C:\\").Pictures, std::vector<std::string>{"C:\\r.jpg"});
}

TEST(FolderWalk, CutsLinkLoopsAndSkipsUnreadableSubfolders)
{
    TFakeFolders disk;
    disk.Folders["C:\\p"] = {{File("a.jpg"), Folder("back"), Folder("locked"), Folder("same")}, 1};
    disk.Folders["C:\\p\\back"] = disk.Folders["C:\\p"]; // a junction to its parent
    disk.Folders["C:\\p\\locked"] = {{File("secret.jpg")}, 2, false};
    disk.Folders["C:\\p\\same"] = {{File("b.jpg"), Folder("again")}, 3};
    disk.Folders["C:\\p\\same\\again"] = disk.Folders["C:\\p\\same"];
    const TPictureScan scan = ScanPictures(disk, "C:\\p");
    EXPECT_EQ(scan.Pictures, (std::vector<std::string>{"C:\\p\\a.jpg", "C:\\p\\same\\b.jpg"}));
    EXPECT_EQ(scan.SkippedFolders, 1);

    // The folder asked for must be readable.
    EXPECT_THROW(ScanPictures(disk, "C:\\p\\locked"), EInOutError);
    EXPECT_THROW(ScanPictures(disk, "C:\\missing"), EInOutError);
}

TEST(FolderWalk, StopsAtTheDepthLimitAndCountsTheFoldersItLeftOut)
{
    // Each folder holds a picture and a folder "loop" (a link to itself
    // without identity); from the limit on, a second folder as well.
    class TEndlessFolders : public IFolderReader {
    public:
        TFolderListing List(const std::string& folder) override
        {
            TFolderListing listing{{File("p.jpg"), Folder("loop")}, 1};
            if (std::count(folder.begin(), folder.end(), '\\') > MaxFolderDepth)
                listing.Entries.push_back(Folder("other"));
            return listing;
        }
        std::optional<TFolderIdentity> Identity(const std::string&) override { return std::nullopt; }
    } endless;
    TScanSignals signals;
    const TPictureScan scan = ScanPictures(endless, "C:\\x", &signals);
    EXPECT_EQ(scan.Pictures.size(), static_cast<size_t>(MaxFolderDepth + 1));
    EXPECT_EQ(scan.UnusableNames, MaxFolderDepth + 1);
    EXPECT_EQ(scan.DeepFolders, 2); // "loop" and "other" of the deepest folder
    EXPECT_EQ(signals.FilesSeen.load(), MaxFolderDepth + 1);
    EXPECT_FALSE(scan.Cancelled);
}

TEST(FolderWalk, ACancelRequestEndsTheWalkAtTheNextFolder)
{
    TFakeFolders disk;
    disk.Folders["C:\\p"] = {{File("a.jpg"), Folder("s1"), Folder("s2")}, 1};
    disk.Folders["C:\\p\\s1"] = {{File("b.jpg")}, 2};
    disk.Folders["C:\\p\\s2"] = {{File("c.jpg")}, 3};
    TScanSignals signals;
    // The request arrives while the first subfolder is read.
    disk.OnList = [&](const std::string& folder) {
        if (folder == "C:\\p\\s1")
            signals.CancelRequested = true;
    };
    const TPictureScan scan = ScanPictures(disk, "C:\\p", &signals);
    EXPECT_TRUE(scan.Cancelled);
    EXPECT_EQ(scan.Pictures, std::vector<std::string>{"C:\\p\\a.jpg"});
    EXPECT_EQ(signals.FilesSeen.load(), 1);
}
