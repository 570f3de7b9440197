// What a followed folder's changes and a fresh reading of it make of the list.

#include "lists/FolderChanges.h"

#include "core/AsciiCase.h"

#include <gtest/gtest.h>

namespace {

std::wstring CaseKey(std::string_view name)
{
    const std::string lower = LowerAscii(std::string(name));
    return {lower.begin(), lower.end()};
}

struct FolderChanges : ::testing::Test {
    TListModel list{CaseKey};
    std::vector<TListChange> told;
    TListSubscription subscription =
        list.Subscribe([this](const TListChange& change) { told.push_back(change); });
    std::vector<std::string> folders{"F:\\pics\\sub", "F:\\pics\\new"};
    TIsFolder isFolder = [this](const std::string& path) {
        return std::find(folders.begin(), folders.end(), path) != folders.end();
    };

    void SetUp() override
    {
        list.Load({"F:\\pics\\a.jpg", "C:\\plain.jpg", "F:\\pics\\b.jpg", "F:\\pics\\old\\c.jpg"},
                  {{"F:\\pics", {"F:\\pics\\out.jpg"}}});
        told.clear();
    }
    bool Apply(const std::vector<TFolderChange>& changes)
    {
        return ApplyFolderChanges(list, 0, changes, isFolder);
    }
};

using K = TFolderChangeKind;

} // namespace

TEST_F(FolderChanges, ABurstIsOneAddAndOneRemovalAndRenamedPicturesKeepTheirPlaces)
{
    EXPECT_FALSE(Apply({{K::Added, "F:\\pics\\new1.jpg"},
                        {K::Added, "F:\\pics\\notes.txt"},
                        {K::Added, "F:\\pics\\out.jpg"}, // kept out by "-"
                        {K::Added, "F:\\pics\\new2.png"},
                        {K::Added, "F:\\pics\\brief.jpg"},
                        {K::Removed, "F:\\pics\\brief.jpg"}, // came and went within the burst
                        {K::Removed, "F:\\pics\\a.jpg"},
                        {K::RenamedFrom, "F:\\pics\\b.jpg"},
                        {K::RenamedTo, "F:\\pics\\B renamed.jpg"},
                        {K::RenamedFrom, "F:\\pics\\old"},
                        {K::RenamedTo, "F:\\pics\\new"},
                        {K::RenamedFrom, "F:\\pics\\x.tmp"},
                        {K::RenamedTo, "F:\\pics\\downloaded.jpg"}}));
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"C:\\plain.jpg", "F:\\pics\\B renamed.jpg",
                                                      "F:\\pics\\new\\c.jpg", "F:\\pics\\new1.jpg",
                                                      "F:\\pics\\new2.png", "F:\\pics\\downloaded.jpg"}));
    for (int row = 1; row < list.Count(); ++row)
        EXPECT_EQ(list.Marks(row).Folder, 0) << row;
    // Two renames, one removal, one add: the appended pictures came as one.
    ASSERT_EQ(told.size(), 4u);
    EXPECT_EQ(told[2].Kind, TListChangeKind::Rewritten);
    EXPECT_EQ(told[3].Kind, TListChangeKind::Added);
    EXPECT_EQ(told[3].Count, 3);
}

TEST_F(FolderChanges, FoldersThatGoTakeTheirPicturesAndOnesThatComeOrALostTrackAskForARescan)
{
    EXPECT_FALSE(Apply({{K::Removed, "F:\\pics\\OLD"}, {K::Removed, "C:\\plain.jpg"}}));
    EXPECT_EQ(list.Paths(),
              (std::vector<std::string>{"F:\\pics\\a.jpg", "C:\\plain.jpg", "F:\\pics\\b.jpg"}));
    EXPECT_TRUE(Apply({{K::Added, "F:\\pics\\sub"}}));
    EXPECT_TRUE(Apply({{K::Rescan, "F:\\pics"}}));
    // A picture renamed to a name that is no picture's leaves the list.
    EXPECT_FALSE(Apply({{K::RenamedFrom, "F:\\pics\\a.jpg"}, {K::RenamedTo, "F:\\pics\\a.jpg.bak"}}));
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"C:\\plain.jpg", "F:\\pics\\b.jpg"}));
}

TEST_F(FolderChanges, AFreshReadingKeepsWhatStaysDropsWhatWentAndAppendsWhatCame)
{
    list.SetFolderMissing(0, true);
    ApplyFolderScan(list, 0,
                    {"F:\\pics\\b.jpg", "F:\\pics\\d.jpg", "F:\\pics\\out.jpg", "F:\\pics\\old\\c.jpg"});
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"C:\\plain.jpg", "F:\\pics\\b.jpg",
                                                      "F:\\pics\\old\\c.jpg", "F:\\pics\\d.jpg"}));
    EXPECT_FALSE(list.Marks(1).Missing);
    EXPECT_EQ(list.Marks(3).Folder, 0);
    // Unchanged: nothing is told.
    told.clear();
    ApplyFolderScan(list, 0, {"F:\\pics\\b.jpg", "F:\\pics\\d.jpg", "F:\\pics\\old\\c.jpg"});
    EXPECT_TRUE(told.empty());
}
