// Folders added on a hidden main form: their trees are read on a worker
// thread while the window goes on with its work (hand-overs, Escape, the
// tray menu), adds wait their turn, and what a scan left out is told.

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
