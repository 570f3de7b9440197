// The list's additions on a hidden main form: files and folders dropped on
// the window (a real drop handle, as the shell sends it), the name list's
// menu (with a fake folder dialog), and the last list saved shortly after
// each edit (a long one written on a worker thread).

#include "FormFixture.h"
#include "platform/WideText.h"
#include "support/ModalScript.h"

#include <shellapi.h>

#include <cstring>

namespace {

// The shell's DROPFILES header (shlobj.h, whose COM names clash with the
// program's dialog interfaces).
struct DropFilesHeader {
    DWORD pFiles;
    POINT pt;
    BOOL fNC;
    BOOL fWide;
};

// A drop handle as the shell makes it: a DROPFILES header and the wide
// names, each ended by a NUL, the list by another. The receiver frees it.
HGLOBAL MakeDrop(const std::vector<std::string>& paths)
{
    std::wstring names;
    for (const std::string& path : paths)
        names += WideFromUtf8(path) + L'\0';
    names += L'\0';
    const size_t bytes = sizeof(DropFilesHeader) + names.size() * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DropFilesHeader*>(GlobalLock(memory));
    drop->pFiles = sizeof(DropFilesHeader);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return memory;
}

std::string ClipboardText()
{
    if (!OpenClipboard(nullptr))
        return "<clipboard not open>";
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::string text = "<no text>";
    if (data) {
        text = Utf8FromWide(static_cast<const wchar_t*>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

} // namespace

class ListActions : public FormFixture {
protected:
    void Drop(const std::vector<std::string>& paths)
    {
        SendMessageW(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    }
    void Select(int row)
    {
        form->Test().nameList->SetItemIndex(row);
        form->onNameListClick(form->Test().nameList);
    }
    std::string LastListPath() const { return folder / "LastList.lst"; }
};

TEST_F(ListActions, DroppedFoldersAndFilesAddTheirPicturesInOrderUnlessTheListIsLocked)
{
    // The window takes drops for all its children: the list has no drop
    // target of its own, so a drop on it reaches the window.
    EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_FALSE(GetWindowLongW(form->Test().nameList->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    std::vector<std::string> expected = PictureFolder();
    const std::string loose = MakeBitmap("loose.bmp", 6, 6);
    Drop({folder / "pictures", loose});
    FinishScan();
    expected.push_back(loose);
    EXPECT_EQ(Paths(), expected);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A.bmp", "b.bmp", "c.bmp", "loose.bmp"}));
    EXPECT_EQ(form->Test().nameLabel->Caption(), "A.bmp");
    EXPECT_TRUE(CapturedErrors().empty());

    // While automatic change runs, a drop changes nothing, and a balloon
    // says why.
    form->Test().autoChangeRunning = true;
    Drop({loose});
    EXPECT_EQ(Paths(), expected);
    const auto balloons = notifyIcon.Sent(NIM_MODIFY);
    ASSERT_FALSE(balloons.empty());
    EXPECT_EQ(Utf8FromWide(balloons.back().Data.szInfo), std::string(TBackgroundAdd::ListLockedText) + ".");
    EXPECT_TRUE(CapturedErrors().empty());

    // A text file dropped with a picture: the picture goes in, the text
    // file is named in the error box.
    form->Test().autoChangeRunning = false;
    folder.Write("readme.txt", "text");
    Drop({folder / "readme.txt", MakeBitmap("late.bmp", 2, 2)});
    EXPECT_EQ(Paths().size(), 5u);
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_NE(CapturedErrors()[0].Text.find("readme.txt"), std::string::npos);
}

TEST_F(ListActions, AddFolderFromTheMenuAddsItsPicturesInOrder)
{
    Add({MakeBitmap("first.bmp", 2, 2)});
    std::vector<std::string> expected = PictureFolder();
    folderDialog.folder = folder / "pictures";
    form->NameListMenu().AddFolderItem().Click();
    FinishScan();
    EXPECT_EQ(folderDialog.title, "Add folder ...");
    expected.insert(expected.begin(), folder / "first.bmp");
    EXPECT_EQ(Paths(), expected);
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 4 file(s)");

    folderDialog.confirm = false;
    form->NameListMenu().AddFolderItem().Click();
    EXPECT_EQ(Paths(), expected);
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(ListActions, MenuItemsActOnTheSelectedEntryAndAreGreyedWhenTheyCannot)
{
    TNameListMenu& menu = form->NameListMenu();
    EXPECT_EQ(menu.AddFolderItem().Caption(), "Add Folder\xE2\x80\xA6");
    menu.UpdateItems();
    EXPECT_TRUE(menu.AddFolderItem().Enabled());
    EXPECT_FALSE(menu.RemoveItem().Enabled());
    EXPECT_FALSE(menu.OpenFileLocationItem().Enabled());
    EXPECT_FALSE(menu.CopyPathItem().Enabled());

    const std::string a = MakeBitmap("a.bmp", 2, 2);
    const std::string b = MakeBitmap("b b.bmp", 3, 3);
    Add({a, b});
    Select(1);
    menu.UpdateItems();
    EXPECT_TRUE(menu.RemoveItem().Enabled());
    EXPECT_TRUE(menu.CopyPathItem().Enabled());
    menu.CopyPathItem().Click();
    EXPECT_EQ(ClipboardText(), b);
    menu.OpenFileLocationItem().Click();
    EXPECT_EQ(shownInFolder, (std::vector<std::string>{b}));

    // Running: the list is locked, the entry can still be found.
    form->Test().autoChangeRunning = true;
    menu.UpdateItems();
    EXPECT_FALSE(menu.AddFolderItem().Enabled());
    EXPECT_FALSE(menu.RemoveItem().Enabled());
    EXPECT_FALSE(menu.RemoveMissingItem().Enabled());
    EXPECT_TRUE(menu.OpenFileLocationItem().Enabled());
    form->Test().autoChangeRunning = false;

    menu.RemoveItem().Click(); // as "-" does
    EXPECT_EQ(Paths(), (std::vector<std::string>{a}));
    EXPECT_EQ(form->Test().nameLabel->Caption(), "a.bmp");
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(ListActions, RemoveMissingFilesKeepsWhatIsThereAndAsksNoOtherComputer)
{
    const std::string a = MakeBitmap("a.bmp", 2, 2), b = MakeBitmap("b.bmp", 3, 3),
                      c = MakeBitmap("c.bmp", 4, 4);
    const std::string remote = "\\\\host\\share\\r.bmp";
    form->Test().listModel.Add({a, b, remote, c});
    Select(1);
    DeleteFileA(a.c_str());
    DeleteFileA(c.c_str());
    entryFiles.touched.clear();
    TNameListMenu& menu = form->NameListMenu();
    menu.UpdateItems();
    ASSERT_TRUE(menu.RemoveMissingItem().Enabled());
    EXPECT_EQ(menu.RemoveMissingItem().Caption(), "Remove Missing Files");
    menu.RemoveMissingItem().Click();
    FinishPreviews();
    EXPECT_EQ(Paths(), (std::vector<std::string>{b, remote}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"b.bmp", "r.bmp"}));
    // The selected entry stays selected and shown.
    EXPECT_EQ(form->Test().listModel.Selected(), 0);
    EXPECT_EQ(form->Test().nameLabel->Caption(), "b.bmp");
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 2 file(s)");
    for (const std::string& path : entryFiles.touched)
        EXPECT_NE(path, remote);
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(ListActions, EditsReachTheLastListWhenTheDelayEndsOneSaveForARun)
{
    TLastListAutosave& autosave = form->LastListAutosave();
    EXPECT_EQ(form->LastListAutosave().Timer().Interval(), 2000u);
    EXPECT_FALSE(autosave.Pending());
    const std::string a = MakeBitmap("a.bmp", 2, 2);
    const std::string b = MakeBitmap("b.bmp", 2, 2);
    Add({a});
    Add({b});
    EXPECT_TRUE(autosave.Pending());
    EXPECT_EQ(FileBytes(LastListPath()), "0\r\n"); // not yet: the delay runs
    autosave.Timer().Tick();
    EXPECT_FALSE(autosave.Pending());
    EXPECT_EQ(FileBytes(LastListPath()), "2\r\n" + a + "\r\n" + b + "\r\n");

    form->onDeleteClick(nullptr);
    autosave.Timer().Tick();
    EXPECT_EQ(FileBytes(LastListPath()), "1\r\n" + b + "\r\n");
    AnsweringQuestions([&] { form->onNewListClick(nullptr); }, {IDYES});
    EXPECT_TRUE(autosave.Pending());
    autosave.Timer().Tick();
    EXPECT_EQ(FileBytes(LastListPath()), "0\r\n");
}

TEST_F(ListActions, AFailedBackgroundSaveIsOneBalloonAndTheNextChangeTriesAgain)
{
    const std::string a = MakeBitmap("a.bmp", 2, 2), b = MakeBitmap("b.bmp", 2, 2);
    // Another program holds the last list open without sharing it.
    HANDLE held = CreateFileW(WideFromUtf8(LastListPath()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const size_t balloonsBefore = notifyIcon.Sent(NIM_MODIFY).size();
    Add({a});
    form->LastListAutosave().Timer().Tick();
    Add({b});
    form->LastListAutosave().Timer().Tick();
    EXPECT_TRUE(CapturedErrors().empty()); // never a box
    const auto balloons = notifyIcon.Sent(NIM_MODIFY);
    ASSERT_EQ(balloons.size(), balloonsBefore + 1);
    EXPECT_NE(Utf8FromWide(balloons.back().Data.szInfo).find("LastList.lst"), std::string::npos);
    EXPECT_FALSE(form->LastListAutosave().Pending());

    CloseHandle(held);
    form->onDeleteClick(nullptr);
    form->LastListAutosave().Timer().Tick();
    EXPECT_EQ(FileBytes(LastListPath()), "1\r\n" + b + "\r\n");
}

TEST_F(ListActions, ALongListIsSavedOnAWorkerAndEndsAsTheListIsWhateverSaveComesMeanwhile)
{
    TLastListAutosave& autosave = form->LastListAutosave();
    TListModel& list = form->Test().listModel;
    std::vector<std::string> entries;
    // Long enough however many the test takes out.
    for (int i = 0; i < TListFiles::BackgroundWriteEntries + 10; ++i)
        entries.push_back("C:\\elsewhere\\picture-" + std::to_string(i) + ".bmp");
    const auto fileOf = [](const std::vector<std::string>& lines) {
        std::string text = std::to_string(lines.size()) + "\r\n";
        for (const std::string& line : lines)
            text += line + "\r\n";
        return text;
    };
    // Waits for the end of a write and delivers it, and nothing else.
    const auto deliverWriteEnd = [this] {
        const ULONGLONG giveUp = GetTickCount64() + 10000;
        MSG message;
        while (!PeekMessageW(&message, form->Handle(), TListFiles::LastListWrittenMessage,
                             TListFiles::LastListWrittenMessage, PM_REMOVE)) {
            if (GetTickCount64() > giveUp) {
                ADD_FAILURE() << "no write of the last list ended";
                return;
            }
            Sleep(1);
        }
        DispatchMessageW(&message);
    };

    list.Add(entries);
    autosave.Timer().Tick();
    deliverWriteEnd();
    EXPECT_EQ(FileBytes(LastListPath()), fileOf(entries));

    // A save on the window's thread (the exit's) lets a write begun before
    // it end first: the file ends as the list is, and the write's end
    // coming after it changes nothing.
    list.Add({"C:\\elsewhere\\one more.bmp"});
    autosave.Timer().Tick();
    list.Remove(0);
    entries.erase(entries.begin());
    entries.push_back("C:\\elsewhere\\one more.bmp");
    form->SaveLastList();
    deliverWriteEnd();
    EXPECT_EQ(FileBytes(LastListPath()), fileOf(entries));

    // Writes that fail are one balloon, as failed saves on the window's
    // thread are, and the next change tries again.
    HANDLE held = CreateFileW(WideFromUtf8(LastListPath()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const size_t balloonsBefore = notifyIcon.Sent(NIM_MODIFY).size();
    autosave.Timer().Tick();
    deliverWriteEnd();
    list.Remove(0);
    entries.erase(entries.begin());
    autosave.Timer().Tick();
    deliverWriteEnd();
    EXPECT_EQ(notifyIcon.Sent(NIM_MODIFY).size(), balloonsBefore + 1);
    CloseHandle(held);
    list.Remove(0);
    entries.erase(entries.begin());
    autosave.Timer().Tick();
    deliverWriteEnd();
    EXPECT_EQ(FileBytes(LastListPath()), fileOf(entries));
    EXPECT_TRUE(CapturedErrors().empty());
}
