// The list model: adds that leave out names already listed (made at once or
// keyed in steps), the selected entry staying on its entry through edits,
// and what listeners are told.

#include "lists/ListModel.h"

#include "core/AsciiCase.h"
#include "core/Exceptions.h"
#include "lists/ListedKeys.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace {

// Names that differ only in ASCII letter case name one file (Windows' rule
// covers every script; the program passes that one).
std::wstring CaseKey(std::string_view name)
{
    const std::string lower = LowerAscii(std::string(name));
    return {lower.begin(), lower.end()};
}

struct ListModel : ::testing::Test {
    TListModel list{CaseKey};
    std::vector<TListChange> told;
    TListSubscription subscription =
        list.Subscribe([this](const TListChange& change) { told.push_back(change); });

    std::vector<std::string> Paths() const { return list.Paths(); }
};

bool Same(const TListChange& a, const TListChange& b)
{
    return a.Kind == b.Kind && a.First == b.First && a.Count == b.Count && a.To == b.To;
}

} // namespace

TEST_F(ListModel, AddLeavesOutNamesListedOrGivenTwiceAndTellsTheAppendedRange)
{
    EXPECT_EQ(list.Add({"C:\\a.jpg", "C:\\b.jpg"}), 0u);
    EXPECT_EQ(list.Add({"c:\\A.JPG", "C:\\c.jpg", "C:\\C.jpg", "C:\\d.jpg"}, 7), 2u);
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\a.jpg", "C:\\b.jpg", "C:\\c.jpg", "C:\\d.jpg"}));
    EXPECT_EQ(list.Marks(0).Folder, NoFolder);
    EXPECT_EQ(list.Marks(3).Folder, 7);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(Same(told[1], {TListChangeKind::Added, 2, 2}));

    // Nothing new: nothing to tell.
    EXPECT_EQ(list.Add({"C:\\B.jpg"}), 1u);
    EXPECT_EQ(list.Add({}), 0u);
    EXPECT_EQ(told.size(), 2u);
    EXPECT_EQ(list.Find("c:\\D.JPG"), 3);
    EXPECT_EQ(list.Find("C:\\e.jpg"), -1);
}

TEST_F(ListModel, ALoadedListKeepsItsEntriesAsTheyAre)
{
    list.Add({"C:\\old.jpg"});
    list.Select(0);
    list.Load({"C:\\a.jpg", "", "C:\\A.jpg"});
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\a.jpg", "", "C:\\A.jpg"}));
    EXPECT_EQ(list.Selected(), -1);
    EXPECT_TRUE(Same(told.back(), {TListChangeKind::Loaded, 0, 3}));
}

TEST_F(ListModel, TheSelectedEntryStaysOnItsEntryAndGoesWithIt)
{
    list.Add({"a", "b", "c", "d", "e"});
    list.Select(2); // c
    list.Remove(0);
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_TRUE(Same(told.back(), {TListChangeKind::Removed, 0, 1}));
    list.Move(1, 3); // b c d e -> b d e c
    EXPECT_EQ(Paths(), (std::vector<std::string>{"b", "d", "e", "c"}));
    EXPECT_EQ(list.Selected(), 3);
    EXPECT_TRUE(Same(told.back(), {TListChangeKind::Moved, 1, 1, 3}));
    list.Move(2, 0); // e b d c
    EXPECT_EQ(Paths(), (std::vector<std::string>{"e", "b", "d", "c"}));
    EXPECT_EQ(list.Selected(), 3);
    list.Move(3, 1); // e c b d
    EXPECT_EQ(list.Selected(), 1);
    list.Remove(1);
    EXPECT_EQ(list.Selected(), -1);

    list.Select(2); // d
    EXPECT_EQ(list.RemoveIf([](const std::string& path) { return path != "d"; }), 2u);
    EXPECT_EQ(Paths(), std::vector<std::string>{"d"});
    EXPECT_EQ(list.Selected(), 0);
    EXPECT_TRUE(Same(told.back(), {TListChangeKind::Rewritten, 0, 1}));
    const size_t before = told.size();
    EXPECT_EQ(list.RemoveIf([](const std::string&) { return false; }), 0u);
    EXPECT_EQ(told.size(), before);

    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.Selected(), -1);
    EXPECT_TRUE(Same(told.back(), {TListChangeKind::Removed, 0, 1}));
}

TEST_F(ListModel, MarksTravelWithTheirEntries)
{
    list.Add({"plain"});
    list.SetMissing(0, false);
    list.Add({"a", "b"}, 1);
    list.Add({"c"}, 2);
    EXPECT_EQ(list.Marks(0).Folder, NoFolder);
    list.SetMissing(1, true); // a
    list.Move(1, 3);          // plain b c a
    EXPECT_TRUE(list.Marks(3).Missing);
    EXPECT_EQ(list.Marks(3).Folder, 1);
    list.Remove(0); // b c a
    EXPECT_EQ(list.Marks(1).Folder, 2);
    EXPECT_FALSE(list.Marks(1).Missing);
    list.RemoveIf([](const std::string& path) { return path == "b"; });
    EXPECT_TRUE(list.Marks(1).Missing);
    list.Load({"x"});
    EXPECT_EQ(list.Marks(0).Folder, NoFolder);
}

TEST_F(ListModel, IndexesOutsideTheListRaiseTheListIndexError)
{
    list.Add({"a"});
    for (const auto& bad : std::vector<std::function<void()>>{
             [&] { list.Path(1); }, [&] { list.Remove(-1); }, [&] { list.Select(1); },
             [&] { list.Select(-2); }, [&] { list.Move(0, 1); }, [&] { list.SetMissing(2, true); }})
        EXPECT_THROW(bad(), EListError);
    try {
        list.Path(5);
    } catch (const EListError& error) {
        EXPECT_EQ(error.Message, "List index out of bounds (5)");
    }
    list.Select(-1);
    EXPECT_EQ(list.Selected(), -1);
}

TEST_F(ListModel, ACancelledOrDroppedSubscriptionIsToldNothingMore)
{
    int second = 0;
    {
        const TListSubscription scoped = list.Subscribe([&second](const TListChange&) { ++second; });
        list.Add({"a"});
    }
    subscription.Cancel();
    list.Add({"b"});
    EXPECT_EQ(second, 1);
    EXPECT_EQ(told.size(), 1u);

    // A subscription that outlives its list is harmless.
    TListSubscription outliving;
    {
        TListModel shortLived(CaseKey);
        outliving = shortLived.Subscribe([](const TListChange&) {});
    }
    outliving.Cancel();
}

TEST_F(ListModel, FollowedFoldersOwnTheirEntriesKeepExclusionsAndLeavePlainEntriesBehind)
{
    list.Load({"C:\\Pics\\a.jpg", "C:\\other.jpg", "c:\\pics\\sub\\b.jpg"}, {{"C:\\pics", {}}});
    EXPECT_EQ(list.Marks(0).Folder, 0);
    EXPECT_EQ(list.Marks(1).Folder, NoFolder);
    EXPECT_EQ(list.Marks(2).Folder, 0);
    // Following a folder again keeps its number; a new one takes in the
    // plain entries inside it.
    EXPECT_EQ(list.Follow("C:\\PICS\\"), 0);
    list.Add({"D:\\more\\c.jpg"});
    EXPECT_EQ(list.Follow("D:\\more"), 1);
    EXPECT_EQ(list.Marks(3).Folder, 1);
    EXPECT_EQ(list.FolderOf("d:\\MORE\\new.jpg"), 1);
    EXPECT_EQ(list.FolderOf("D:\\moreover\\new.jpg"), NoFolder);

    list.RemoveKeepingOut(2);
    list.RemoveKeepingOut(1); // "C:\other.jpg" is plain: no exclusion
    EXPECT_TRUE(list.IsExcluded(0, "C:\\PICS\\SUB\\B.JPG"));
    EXPECT_EQ(list.Folders()[0].Excluded, std::vector<std::string>{"c:\\pics\\sub\\b.jpg"});
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\Pics\\a.jpg", "D:\\more\\c.jpg"}));

    list.SetFolderMissing(1, true);
    EXPECT_TRUE(list.Marks(1).Missing);
    list.StopFollowing(0);
    EXPECT_EQ(list.Folders().size(), 1u);
    EXPECT_EQ(list.Marks(1).Folder, 0); // "D:\more" is folder 0 now
    list.StopFollowing(0);
    EXPECT_EQ(list.Marks(1).Folder, NoFolder);
    EXPECT_EQ(Paths().size(), 2u);
    EXPECT_THROW(list.StopFollowing(0), EListError);

    list.Clear();
    // An empty list that follows a folder: clearing it is still told, so
    // the folder is no longer watched.
    list.Follow("C:\\x");
    told.clear();
    list.Clear();
    EXPECT_TRUE(list.Folders().empty());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(Same(told[0], {TListChangeKind::Removed, 0, 0}));
}

TEST_F(ListModel, ARenamedEntryKeepsItsPlaceMarksAndSelection)
{
    list.Add({"C:\\f\\a.jpg", "C:\\f\\b.jpg"}, 0);
    list.Select(1);
    told.clear();
    list.Rename(1, "C:\\f\\renamed.jpg");
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\f\\a.jpg", "C:\\f\\renamed.jpg"}));
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_EQ(list.Marks(1).Folder, 0);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(Same(told[0], {TListChangeKind::Renamed, 1, 1}));
}

TEST_F(ListModel, AnAddKeyedInStepsEndsAsTheSameAddMadeAtOnceWhateverTheListDidBetweenTheSteps)
{
    TListModel atOnce{CaseKey};
    const auto both = [&](const std::function<void(TListModel&)>& edit) {
        edit(list);
        edit(atOnce);
    };
    both([](TListModel& model) { model.Load({"C:\\a.jpg", "C:\\b.jpg", "C:\\c.jpg", "C:\\d.jpg"}); });
    const std::vector<std::string> adding = {"C:\\new1.jpg", "c:\\B.jpg",     "C:\\new2.jpg", "C:\\NEW1.jpg",
                                             "C:\\E.jpg",    "C:\\moved.jpg", "C:\\A.jpg"};
    TKeyedPaths ready = KeyPaths(adding, CaseKey);
    EXPECT_EQ(ready.GivenTwice, 1u);

    // Between the steps an entry is appended (keyed in a later step), one
    // removed and one renamed (the keys are made again after each).
    TListedKeys listed(list);
    EXPECT_FALSE(listed.KeyMore(3));
    both([](TListModel& model) { model.Add({"C:\\e.jpg"}); });
    EXPECT_TRUE(listed.KeyMore(10));
    both([](TListModel& model) { model.Remove(0); });
    EXPECT_FALSE(listed.KeyMore(2));
    both([](TListModel& model) { model.Rename(1, "C:\\moved.jpg"); });
    told.clear();

    const size_t skipped = list.Add(std::move(ready), listed);
    EXPECT_EQ(skipped, atOnce.Add(adding));
    EXPECT_EQ(skipped, 4u);
    EXPECT_EQ(Paths(), atOnce.Paths());
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\b.jpg", "C:\\moved.jpg", "C:\\d.jpg", "C:\\e.jpg",
                                                 "C:\\new1.jpg", "C:\\new2.jpg", "C:\\A.jpg"}));
    // One add, told once.
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(Same(told[0], {TListChangeKind::Added, 4, 3}));

    // A stop asked for leaves nothing ready.
    const std::atomic<bool> stop{true};
    EXPECT_TRUE(KeyPaths(adding, CaseKey, &stop).Paths.empty());
}
