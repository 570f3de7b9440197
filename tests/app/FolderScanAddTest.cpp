// Folders added on a hidden main form: their trees are read on a worker
// thread while the window goes on with its work (hand-overs, Escape, the
// tray menu), adds wait their turn, a long list takes the pictures found in
// steps, and what a scan left out is told.

#include "FormFixture.h"
#include "platform/WideText.h"

namespace {

std::string BalloonText(const TFakeNotifyIcon& icon)
{
    const auto balloons = icon.Sent(NIM_MODIFY);
    return balloons.empty() ? std::string() : Utf8FromWide(balloons.back().Data.szInfo);
}

} // namespace

class FolderScans : public FormFixture {
protected:
    std::vector<std::string> Tree() { return PictureFolder("tree"); }
    std::string TreePath() const { return folder / "tree"; }
    // Waits until the worker has ended and its end waits in the window's
    // queue, not yet handled.
    void WaitForWorkerEnd()
    {
        MSG message;
        while (!PeekMessageW(&message, form->Handle(), TBackgroundAdd::ScanEndedMessage,
                             TBackgroundAdd::ScanEndedMessage, PM_NOREMOVE))
            Sleep(1);
    }
    // Delivers the worker's end, and nothing else.
    void DeliverScanEnd()
    {
        WaitForWorkerEnd();
        MSG message;
        PeekMessageW(&message, form->Handle(), TBackgroundAdd::ScanEndedMessage,
                     TBackgroundAdd::ScanEndedMessage, PM_REMOVE);
        DispatchMessageW(&message);
    }
    void PressEscape()
    {
        MSG key{form->Test().nameList->Handle(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
        Application->DispatchOne(key);
    }
    bool CancelScanOffered()
    {
        form->onTrayMenuPopup(form->Test().trayMenu);
        return form->CancelScanMenuItem().Visible();
    }
    std::string Total() const { return form->Test().totalLabel->Caption(); }
};

TEST_F(FolderScans, AScanLeavesTheWindowFreeHandOversAreCarriedOutAndLaterAddsWaitTheirTurn)
{
    const std::vector<std::string> files = {MakeBitmap("a.bmp", 2, 2), MakeBitmap("b.bmp", 2, 2)};
    Add(files);
    const std::vector<std::string> fromTree = Tree();
    const std::string single = MakeBitmap("single.bmp", 2, 2);

    form->AddFilesAndFolders({TreePath()});
    EXPECT_TRUE(form->Scanning());
    EXPECT_TRUE(CancelScanOffered());
    EXPECT_EQ(Paths(), files); // not yet: the window goes on meanwhile
    WaitForWorkerEnd();
    form->BackgroundAdd().ProgressTimer().Tick();
    EXPECT_EQ(Total(), "Scanning... 4 files");

    // A later start's commands meanwhile: Next is carried out; its add, and
    // another folder's, wait for the scan.
    form->CarryOut({{TCommandKind::Next, {}}, {TCommandKind::Add, {single}}});
    form->AddFilesAndFolders({TreePath()});
    FinishChanges();
    EXPECT_EQ(desktop.WallpaperCalls.size(), 1u);
    EXPECT_EQ(Paths(), files);

    FinishScan();
    std::vector<std::string> expected = files;
    expected.insert(expected.end(), fromTree.begin(), fromTree.end());
    expected.push_back(single);
    // The tree's second add finds its pictures listed already.
    EXPECT_EQ(Paths(), expected);
    EXPECT_EQ(Names().size(), expected.size());
    EXPECT_EQ(Total(), "Total : " + std::to_string(expected.size()) + " file(s) (" +
                           std::to_string(fromTree.size()) + " skipped)");
    EXPECT_FALSE(CancelScanOffered());
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(FolderScans, EscapeOrCancelScanStopsTheScanAndTheAddsWaitingAndTheWindowMayGoMeanwhile)
{
    Tree();
    const std::string single = MakeBitmap("single.bmp", 2, 2);
    form->AddFilesAndFolders({TreePath()});
    form->CarryOut({{TCommandKind::Add, {single}}});
    PressEscape();
    EXPECT_FALSE(form->Scanning());
    EXPECT_EQ(Total(), "Total : 0 file(s)");
    FinishScan();
    EXPECT_TRUE(Paths().empty());

    form->AddFilesAndFolders({TreePath()});
    ASSERT_TRUE(CancelScanOffered());
    form->CancelScanMenuItem().Click();
    FinishScan();
    EXPECT_TRUE(Paths().empty());
    EXPECT_TRUE(CapturedErrors().empty());

    // Without a scan, Escape is the window's as before.
    PressEscape();
    EXPECT_TRUE(CapturedErrors().empty());

    // The window goes while a scan runs: its thread is stopped and waited
    // for, and nothing reaches the window that is gone.
    form->AddFilesAndFolders({TreePath()});
    form.reset();
    Application->ProcessMessages();
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(FolderScans, WhatAScanLeftOutIsToldInABoxForTheUserAndInABalloonUnattended)
{
    // A picture at the top, one at the last level the scan enters, and one
    // a level deeper.
    std::string path = "deep";
    CreateDirectoryA((folder / path).c_str(), nullptr);
    const std::string top = MakeBitmap("deep\\top.bmp", 2, 2);
    std::string lastLevel;
    for (int level = 1; level <= MaxFolderDepth + 1; ++level) {
        path += "\\d";
        ASSERT_TRUE(CreateDirectoryA((folder / path).c_str(), nullptr)) << level;
        const std::string picture = MakeBitmap(path + "\\p.bmp", 2, 2);
        if (level == MaxFolderDepth)
            lastLevel = picture;
    }
    const std::string told = "Left out of the folder scan: 1 folder more than 64 levels deep.";

    form->AddFilesAndFolders({folder / "deep"});
    FinishScan();
    EXPECT_EQ(Paths().front(), top);
    EXPECT_EQ(Paths().back(), lastLevel);
    EXPECT_EQ(Paths().size(), static_cast<size_t>(MaxFolderDepth + 1));
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text, told);

    form->AddFilesAndFolders({folder / "deep"}, TAddOrigin::Unattended);
    FinishScan();
    EXPECT_EQ(Paths().size(), static_cast<size_t>(MaxFolderDepth + 1)); // listed already
    EXPECT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(BalloonText(notifyIcon), told);
}

TEST_F(FolderScans, EveryWayOfAddingIsRefusedWithItsReasonWhileAutomaticChangeRuns)
{
    Tree();
    const std::string single = MakeBitmap("single.bmp", 2, 2);
    const std::string locked = std::string(TBackgroundAdd::ListLockedText) + ".";
    form->Test().autoChangeRunning = true;
    form->CarryOut({{TCommandKind::Add, {single}}});
    EXPECT_EQ(BalloonText(notifyIcon), locked);
    folderDialog.folder = TreePath();
    form->NameListMenu().AddFolderItem().Click(); // greyed in the menu; refused all the same
    FinishScan();
    EXPECT_TRUE(Paths().empty());

    // A scan that ends once automatic change runs adds nothing either.
    form->Test().autoChangeRunning = false;
    form->AddFilesAndFolders({TreePath()}, TAddOrigin::Unattended);
    form->Test().autoChangeRunning = true;
    notifyIcon.Requests.clear();
    FinishScan();
    EXPECT_TRUE(Paths().empty());
    EXPECT_EQ(BalloonText(notifyIcon), locked);
    EXPECT_EQ(Total(), "Total : 0 file(s)");
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(FolderScans, AScanJoiningALongListInStepsGivesWhatAnAddAtOnceGivesAndMayBeStoppedOrLeftMidway)
{
    const std::vector<std::string> fromTree = Tree();
    // More entries than one step keys, one of them a picture of the tree
    // in another case, one named twice (a list file may do that).
    std::vector<std::string> entries;
    for (int i = 0; i < 2 * static_cast<int>(TBackgroundAdd::KeysPerStep) + 10; ++i)
        entries.push_back("C:\\elsewhere\\picture-" + std::to_string(i) + ".bmp");
    entries[7] = TreePath() + "\\B.BMP";
    entries[9] = entries[8];
    TListModel& list = form->Test().listModel;
    struct Outcome {
        std::vector<std::string> Paths, Names;
        std::string Total, TotalHint;
        int Selected, Row;
        bool operator==(const Outcome&) const = default;
    };
    const auto outcome = [&] {
        const TMainForm::TestView view = form->Test();
        return Outcome{Paths(),
                       Names(),
                       view.totalLabel->Caption(),
                       view.totalLabel->Hint(),
                       list.Selected(),
                       view.nameList->ItemIndex()};
    };

    // The tree's pictures given as files: added at once.
    list.Load(entries);
    form->AddFilesAndFolders(fromTree);
    FinishPreviews();
    const Outcome atOnce = outcome();
    ASSERT_EQ(atOnce.Paths.size(), entries.size() + 2);
    EXPECT_EQ(atOnce.Total, "Total : " + std::to_string(entries.size() + 2) + " file(s) (1 skipped)");

    // The tree scanned: its end starts the steps, the window goes on
    // between them, and the last one adds.
    list.Load(entries);
    form->AddFilesAndFolders({TreePath()});
    DeliverScanEnd();
    EXPECT_TRUE(form->BackgroundAdd().Busy());
    EXPECT_EQ(Paths(), entries);
    FinishScan();
    EXPECT_TRUE(outcome() == atOnce);

    // Escape between the steps drops the scan's pictures.
    list.Load(entries);
    form->AddFilesAndFolders({TreePath()});
    DeliverScanEnd();
    PressEscape();
    EXPECT_FALSE(form->BackgroundAdd().Busy());
    form->BackgroundAdd().StepTimer().Tick();
    EXPECT_EQ(Paths(), entries);
    EXPECT_EQ(Total(), "Total : " + std::to_string(entries.size()) + " file(s)");

    // The window goes between the steps: nothing reaches what is gone.
    form->AddFilesAndFolders({TreePath()});
    DeliverScanEnd();
    form.reset();
    Application->ProcessMessages();
    EXPECT_TRUE(CapturedErrors().empty());
}
