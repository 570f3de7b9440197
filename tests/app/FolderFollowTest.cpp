// Folders the list follows, on a hidden main form with the real file system:
// changes heard while the program runs, what changed while it did not, a
// folder that is not there, "-" keeping a picture out, another computer's
// folder left alone until the user picks one of its pictures.

#include "FormFixture.h"

#include <dbt.h>

class FolderFollow : public FormFixture {
protected:
    static bool PumpUntil(const std::function<bool()>& done, int ms = 10000)
    {
        const ULONGLONG giveUp = GetTickCount64() + static_cast<ULONGLONG>(ms);
        while (!done()) {
            if (GetTickCount64() > giveUp)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            Application->ProcessMessages();
        }
        return true;
    }
    TFolderFollower& Follower() { return form->FolderFollower(); }
    // The start is over and every reading asked for has ended.
    void FinishReads()
    {
        ASSERT_TRUE(PumpUntil([this] { return !Follower().Reading(); }));
    }
    // Waits for the watch to hear the changes, then lets the quiet time end
    // at once instead of after two seconds.
    void SettleChanges()
    {
        ASSERT_TRUE(PumpUntil([this] { return Follower().SettleTimer().Enabled(); }));
        PumpUntil([] { return false; }, 300); // the rest of the burst
        Follower().SettleTimer().Tick();
        EXPECT_FALSE(Follower().SettleTimer().Enabled());
    }
    std::string Tree() const { return folder / "tree"; }
};

TEST_F(FolderFollow, ChangesInTheFolderAndItsSubfoldersReachTheListOnceTheyAreQuiet)
{
    const std::vector<std::string> fromTree = PictureFolder("tree");
    form->FollowFolders({Tree()});
    FinishReads();
    EXPECT_EQ(Paths(), fromTree);
    EXPECT_TRUE(Follower().Watching(Tree()));
    EXPECT_FALSE(Follower().SettleTimer().Enabled());
    EXPECT_FALSE(Follower().MissingRetryTimer().Enabled());

    // A copy in, one deleted, one renamed, a text file. (In the folder
    // itself: Wine tells changes in a subfolder that existed before the
    // watch only while something holds that subfolder open.)
    const std::string added = MakeBitmap("tree\\new.bmp", 2, 2);
    const std::string renamed = Tree() + "\\renamed.bmp";
    ASSERT_TRUE(DeleteFileA(fromTree[0].c_str()));
    ASSERT_TRUE(MoveFileA(fromTree[1].c_str(), renamed.c_str()));
    folder.Write("tree\\more notes.txt", "no picture");
    SettleChanges();
    EXPECT_EQ(Paths(), (std::vector<std::string>{renamed, fromTree[2], added}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"renamed.bmp", "c.bmp", "new.bmp"}));

    // "-" keeps a picture out: a later reading does not bring it back,
    // and the kept-out name is written with the list.
    form->Test().listModel.Select(0);
    form->Test().nameList->SetItemIndex(0);
    Run([this] { form->onDeleteClick(form->Test().deleteButton); });
    form->FollowFolders({Tree()});
    FinishReads();
    EXPECT_EQ(Paths(), (std::vector<std::string>{fromTree[2], added}));
    form->SaveLastList();
    EXPECT_NE(FileBytes(folder / "LastList.lst").find("Excluded=" + renamed), std::string::npos);
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(FolderFollow, AFolderThatIsNotThereKeepsItsEntriesUntilItComesBack)
{
    const std::string gone = folder / "stick";
    const std::vector<std::string> entries{gone + "\\a.bmp", gone + "\\b.bmp"};
    form->Test().listModel.Load(entries, {{gone, {}}});
    FinishReads();
    EXPECT_EQ(Paths(), entries);
    EXPECT_TRUE(form->Test().listModel.Marks(0).Missing);
    EXPECT_TRUE(Follower().MissingRetryTimer().Enabled());

    // The minute's retry while it is still not there changes nothing.
    Follower().MissingRetryTimer().Tick();
    FinishReads();
    EXPECT_TRUE(form->Test().listModel.Marks(0).Missing);
    // Back, with one picture of the two and a new one: the drive's arrival
    // has it looked for at once.
    CreateDirectoryA(gone.c_str(), nullptr);
    MakeBitmap("stick\\b.bmp", 2, 2);
    MakeBitmap("stick\\c.bmp", 2, 2);
    SendMessageW(form->Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
    FinishReads();
    EXPECT_EQ(Paths(), (std::vector<std::string>{gone + "\\b.bmp", gone + "\\c.bmp"}));
    EXPECT_FALSE(form->Test().listModel.Marks(0).Missing);
    EXPECT_FALSE(Follower().MissingRetryTimer().Enabled());
}

TEST_F(FolderFollow, AnotherComputersFolderFromAListIsLeftAloneUntilTheUserPicksOneOfItsPictures)
{
    // Drive Z: is another computer's share to these tests' files.
    const std::string share = "Z:\\pictures";
    form->Test().listModel.Load({share + "\\a.bmp"}, {{share, {}}});
    FinishReads();
    EXPECT_FALSE(Follower().Watching(share));
    EXPECT_FALSE(Follower().MissingRetryTimer().Enabled());
    EXPECT_TRUE(entryFiles.touched.empty());
    EXPECT_EQ(Paths(), std::vector<std::string>{share + "\\a.bmp"});
    // The user picks its picture: the folder is looked for (and, not
    // being there, looked for again while it is missing).
    form->Test().nameList->SetItemIndex(0);
    Run([this] { form->onNameListClick(form->Test().nameList); });
    FinishReads();
    EXPECT_TRUE(form->Test().listModel.Marks(0).Missing);
    EXPECT_TRUE(Follower().MissingRetryTimer().Enabled());
}

TEST_F(FolderFollow, FollowingIsRefusedWhileAutomaticChangeRunsLikeEveryAddOfTheUsers)
{
    PictureFolder("tree");
    Add({MakeBitmap("one.bmp", 2, 2)});
    ClickStartStop();
    ASSERT_TRUE(form->Test().autoChangeRunning);
    form->FollowFolders({Tree()}, TAddOrigin::Unattended);
    FinishReads();
    EXPECT_TRUE(form->Test().listModel.Folders().empty());
    EXPECT_EQ(Paths().size(), 1u);
}

TEST_F(FolderFollow, TheFolderDialogsBoxIsRememberedAndDropsAndAddFollowIt)
{
    const std::vector<std::string> fromTree = PictureFolder("tree");
    PictureFolder("other");
    const auto stored = [this] {
        return registry.Value(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", "followfolders");
    };
    // Off until chosen: the folder is added once, as it always was.
    folderDialog.folder = folder / "other";
    form->NameListMenu().AddFolderItem().Click();
    FinishScan();
    EXPECT_EQ(folderDialog.checkText, "Keep the list in step with this folder");
    EXPECT_FALSE(folderDialog.shownChecked);
    EXPECT_TRUE(form->Test().listModel.Folders().empty());
    EXPECT_NE(stored(), std::optional<std::string>("1"));

    form->Test().listModel.Clear();
    folderDialog.folder = Tree();
    folderDialog.leftChecked = true;
    form->NameListMenu().AddFolderItem().Click();
    FinishReads();
    EXPECT_EQ(stored(), std::optional<std::string>("1"));
    EXPECT_EQ(Paths(), fromTree);
    ASSERT_EQ(form->Test().listModel.Folders().size(), 1u);
    // A drop follows the choice; the next dialog shows it ticked.
    form->onFilesDropped(form.get(), {folder / "other"});
    FinishReads();
    EXPECT_EQ(form->Test().listModel.Folders().size(), 2u);
    folderDialog.leftChecked.reset();
    folderDialog.confirm = false;
    form->NameListMenu().AddFolderItem().Click();
    EXPECT_TRUE(folderDialog.shownChecked);
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(FolderFollow, FollowFromTheCommandLineAndStopFollowingFromTheNameListsMenu)
{
    const std::vector<std::string> fromTree = PictureFolder("tree");
    const std::string loose = MakeBitmap("loose.bmp", 2, 2);
    form->CarryOut({{TCommandKind::Follow, {Tree(), loose}}});
    FinishScan();
    FinishReads();
    // The loose file goes in at once, the folder's pictures once it is read.
    std::vector<std::string> expected{loose};
    expected.insert(expected.end(), fromTree.begin(), fromTree.end());
    EXPECT_EQ(Paths(), expected);

    TNameListMenu& menu = form->NameListMenu();
    form->Test().nameList->SetItemIndex(0); // the loose picture: no folder
    menu.UpdateItems();
    EXPECT_FALSE(menu.StopFollowingItem().Visible());
    form->Test().nameList->SetItemIndex(1);
    menu.UpdateItems();
    EXPECT_TRUE(menu.StopFollowingItem().Visible());
    EXPECT_EQ(menu.StopFollowingItem().Caption(), "Stop following " + Tree());
    menu.StopFollowingItem().Click();
    EXPECT_TRUE(form->Test().listModel.Folders().empty());
    EXPECT_EQ(Paths(), expected);
    EXPECT_EQ(form->Test().listModel.Marks(1).Folder, NoFolder);
    EXPECT_FALSE(Follower().Watching(Tree()));
    EXPECT_TRUE(CapturedErrors().empty());
}
