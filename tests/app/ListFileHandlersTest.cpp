// "Save", "Load List" and the last list on a hidden main form with fake
// dialogs and a temporary program folder.

#include "FormFixture.h"
#include "platform/Files.h"
#include "platform/UserFolders.h"

#include <thread>

class ListFileHandlers : public FormFixture {
protected:
    std::string LastList() { return FileBytes(folder / "LastList.lst"); }

    // A list file long enough to be read on a worker: `first`, then
    // entries named at length, `bad` (when given) as its third line.
    std::vector<std::string> PutLongList(const std::string& file, const std::string& first,
                                         const std::string& bad = {})
    {
        std::vector<std::string> entries{first};
        while (entries.size() * 80 <= TListFiles::BackgroundReadBytes)
            entries.push_back("C:\\pictures of a long list\\" + std::string(60, 'x') +
                              std::to_string(entries.size()) + ".bmp");
        if (!bad.empty())
            entries[1] = bad;
        PutFileBytes(folder / file, ListText(entries));
        openDialog.files = {folder / file};
        return entries;
    }
    static std::string ListText(const std::vector<std::string>& entries)
    {
        std::string text = std::to_string(entries.size()) + "\r\n";
        for (const std::string& entry : entries)
            text += entry + "\r\n";
        return text;
    }
    // Waits until the read on the worker has ended, then delivers its end
    // as the message loop would.
    void DeliverListRead()
    {
        MSG message;
        const ULONGLONG giveUp = GetTickCount64() + 20000;
        while (!PeekMessageW(&message, form->Handle(), TListFiles::ListReadMessage,
                             TListFiles::ListReadMessage, PM_REMOVE)) {
            ASSERT_LT(GetTickCount64(), giveUp) << "no read ended";
            Sleep(1);
        }
        Application->DispatchOne(message);
    }
    // Lets the last list written in the background be written.
    void AwaitLastList(const std::string& expected)
    {
        const ULONGLONG giveUp = GetTickCount64() + 20000;
        while (LastList() != expected && GetTickCount64() < giveUp) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            Application->ProcessMessages();
        }
    }
};

TEST_F(ListFileHandlers, ALongListIsReadOnAWorkerAndThenReplacesTheListAsAShortOneDoes)
{
    const std::string old = MakeBitmap("old.bmp", 4, 4);
    Add({old});
    const std::vector<std::string> entries = PutLongList("long.lst", MakeBitmap("a.bmp", 6, 2));
    form->onLoadListClick(form->Test().loadListButton);
    // Nothing changes while the file is read, and the hourglass shows.
    EXPECT_EQ(Paths(), (std::vector<std::string>{old}));
    EXPECT_EQ(Application->Cursor(), crHourGlass);
    DeliverListRead();
    FinishPreviews();
    EXPECT_EQ(Application->Cursor(), crDefault);
    EXPECT_EQ(Paths(), entries);
    const std::vector<std::string> names = Names();
    ASSERT_EQ(names.size(), entries.size());
    EXPECT_EQ(names.front(), "a.bmp");
    EXPECT_EQ(names.back(), entries.back().substr(entries.back().rfind('\\') + 1));
    EXPECT_EQ(form->Test().nameList->ItemIndex(), 0);
    EXPECT_EQ(form->Test().listModel.Selected(), 0);
    EXPECT_EQ(form->Test().sizeLabel->Caption(), "( 6 x 2 ) pixels");
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : " + std::to_string(entries.size()) + " file(s)");
    AwaitLastList(ListText(entries));
    EXPECT_EQ(LastList(), ListText(entries));
    EXPECT_TRUE(CapturedErrors().empty());

    // An add made while a load reads joins the list loaded.
    PutLongList("again.lst", old);
    form->onLoadListClick(form->Test().loadListButton);
    const std::string b = MakeBitmap("b.bmp", 3, 3);
    Add({b});
    EXPECT_EQ(Paths().front(), old);
    EXPECT_EQ(Paths().back(), b);
}

TEST_F(ListFileHandlers, ALongListThatFailsToReadKeepsTheListAndShowsTheBoxAShortOneShows)
{
    const std::string a = MakeBitmap("a.bmp", 4, 4);
    Add({a});
    PutFileBytes(folder / "LastList.lst", "previous");
    const std::string bad = "C:\\a|b.bmp";
    PutFileBytes(folder / "short.lst", "3\r\n" + a + "\r\n" + bad + "\r\nC:\\c.bmp\r\n");
    openDialog.files = {folder / "short.lst"};
    Run([&] { form->onLoadListClick(form->Test().loadListButton); });
    ASSERT_EQ(CapturedErrors().size(), 1u);

    PutLongList("long.lst", a, bad);
    Run([&] { form->onLoadListClick(form->Test().loadListButton); });
    EXPECT_EQ(CapturedErrors().size(), 1u); // not before the read has ended
    DeliverListRead();
    ASSERT_EQ(CapturedErrors().size(), 2u);
    EXPECT_EQ(CapturedErrors()[1].Text, CapturedErrors()[0].Text);
    EXPECT_EQ(Paths(), (std::vector<std::string>{a}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp"}));
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 1 file(s)");
    EXPECT_EQ(Application->Cursor(), crDefault);
    EXPECT_EQ(LastList(), "previous");
}

TEST_F(ListFileHandlers, ClosingTheWindowWhileALongListIsReadReachesNothing)
{
    PutFileBytes(folder / "LastList.lst", "previous");
    PutLongList("long.lst", MakeBitmap("a.bmp", 4, 4));
    form->onLoadListClick(form->Test().loadListButton);
    form.reset();
    Application->ProcessMessages();
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(LastList(), "previous");
    EXPECT_EQ(Application->Cursor(), crDefault);
}

TEST_F(ListFileHandlers, SaveAppendsTheExtensionOnlyWhenMissingAndAsksBeforeReplacing)
{
    const std::string a = MakeBitmap("a.bmp", 4, 4);
    Add({a});
    form->Test().listModel.Add({""});
    saveDialog.files = {folder / "mine"};
    form->onSaveListClick(form->Test().saveListButton);
    EXPECT_EQ(saveDialog.title, "Saving list of image files for wallpaper ...");
    EXPECT_TRUE(saveDialog.options & TOpenOption::OverwritePrompt);
    EXPECT_EQ(FileBytes(folder / "mine.lst"), "2\r\n" + a + "\r\n\r\n");

    // Choosing the existing list (in any letter case) replaces it.
    form->Test().listModel.Remove(1);
    saveDialog.files = {folder / "mine.lst"};
    form->onSaveListClick(form->Test().saveListButton);
    EXPECT_EQ(FileBytes(folder / "mine.lst"), "1\r\n" + a + "\r\n");
    form->Test().listModel.Add({"C:\\b.bmp"});
    saveDialog.files = {folder / "MINE.LsT"};
    form->onSaveListClick(form->Test().saveListButton);
    EXPECT_EQ(FileBytes(folder / "mine.lst"), "2\r\n" + a + "\r\nC:\\b.bmp\r\n");
    EXPECT_FALSE(FileExists(folder / "mine.lst.lst"));

    saveDialog.confirm = false;
    saveDialog.files = {folder / "cancelled"};
    form->onSaveListClick(form->Test().saveListButton);
    EXPECT_FALSE(FileExists(folder / "cancelled.lst"));
}

TEST_F(ListFileHandlers, DialogsOpenInTheFolderLastChosenOrInPicturesNeverBesideTheProgram)
{
    const std::string picturesFolder = PicturesFolder();
    ASSERT_FALSE(picturesFolder.empty());
    Add({MakeBitmap("a.bmp", 4, 4)});
    EXPECT_EQ(pictures.initialDirAtRun, picturesFolder);
    saveDialog.files = {folder / "mine"};
    form->onSaveListClick(form->Test().saveListButton);
    EXPECT_EQ(saveDialog.initialDirAtRun, picturesFolder);
    EXPECT_NE(saveDialog.initialDirAtRun, folder.Path() + "\\");

    // Each kind of dialog opens where its last choice was made, in this run
    // and the next.
    CreateDirectoryA((folder / "sub").c_str(), nullptr);
    Add({MakeBitmap("sub\\b.bmp", 2, 2)});
    EXPECT_EQ(registry.Value(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", "picturefolder"),
              folder / "sub\\");
    pictures.confirm = false;
    form->onAddClick(form->Test().addButton);
    EXPECT_EQ(pictures.initialDirAtRun, folder / "sub\\");
    openDialog.confirm = false;
    form->onLoadListClick(form->Test().loadListButton);
    EXPECT_EQ(openDialog.initialDirAtRun, folder.Path() + "\\");
}

TEST_F(ListFileHandlers, LoadReplacesTheListShowsTheFirstAndWritesTheLastList)
{
    Add({MakeBitmap("old.bmp", 4, 4)});
    const std::string a = MakeBitmap("a.bmp", 6, 2);
    const std::string b = MakeBitmap("b.bmp", 3, 3);
    PutFileBytes(folder / "load.lst",
                 "  2 trailing words\n" + a + "\r\n" + b + "\n\nignored beyond the count\r\n");
    openDialog.files = {folder / "load.lst"};
    form->onLoadListClick(form->Test().loadListButton);
    FinishPreviews();
    EXPECT_EQ(openDialog.title, "Loading file for wallpaper ...");
    EXPECT_EQ(Paths(), (std::vector<std::string>{a, b}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "b.bmp"}));
    EXPECT_EQ(form->Test().nameList->ItemIndex(), 0); // the row of the picture shown
    EXPECT_EQ(form->Test().listModel.Selected(), 0);
    EXPECT_EQ(form->Test().sizeLabel->Caption(), "( 6 x 2 ) pixels");
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 2 file(s)");
    EXPECT_EQ(LastList(), "2\r\n" + a + "\r\n" + b + "\r\n");
}

TEST_F(ListFileHandlers, LoadCancelledStillWritesTheLastList)
{
    const std::string a = MakeBitmap("a.bmp", 4, 4);
    Add({a});
    openDialog.confirm = false;
    form->onLoadListClick(form->Test().loadListButton);
    EXPECT_EQ(Paths().size(), 1u);
    EXPECT_EQ(LastList(), "1\r\n" + a + "\r\n");
}

TEST_F(ListFileHandlers, LoadFailingAtTheCountLeavesEverythingUntouched)
{
    const std::string a = MakeBitmap("a.bmp", 4, 4);
    Add({a});
    PutFileBytes(folder / "LastList.lst", "previous");
    PutFileBytes(folder / "bad.lst", "12abc\r\nC:\\x.bmp\r\n");
    openDialog.files = {folder / "bad.lst"};
    Run([&] { form->onLoadListClick(form->Test().loadListButton); });
    FinishPreviews();
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text, "Invalid numeric input.");
    EXPECT_EQ(Paths(), (std::vector<std::string>{a}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp"}));
    EXPECT_EQ(LastList(), "previous");

    openDialog.files = {folder / "missing.lst"};
    Run([&] { form->onLoadListClick(form->Test().loadListButton); });
    FinishPreviews();
    ASSERT_EQ(CapturedErrors().size(), 2u);
    EXPECT_EQ(CapturedErrors()[1].Text, "File not found.");
    EXPECT_EQ(Paths().size(), 1u);
}

TEST_F(ListFileHandlers, LoadFailingPartWayKeepsTheCurrentList)
{
    const std::string a = MakeBitmap("a.bmp", 4, 4);
    Add({a});
    PutFileBytes(folder / "LastList.lst", "previous");
    // A list that fails after its count and first entry: the far end of a
    // pipe sends them, waits until they are read, and goes away.
    const std::string pipeName = "\\\\.\\pipe\\tessivo-load-" + std::to_string(GetCurrentProcessId());
    HANDLE pipe = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                   4096, 4096, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    std::thread sender([pipe] {
        ConnectNamedPipe(pipe, nullptr);
        const char part[] = "3\r\nC:\\first.bmp\r\n";
        DWORD written = 0;
        WriteFile(pipe, part, sizeof part - 1, &written, nullptr);
        FlushFileBuffers(pipe);
        CloseHandle(pipe);
    });
    openDialog.files = {pipeName};
    Run([&] { form->onLoadListClick(form->Test().loadListButton); });
    FinishPreviews();
    sender.join();
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text.rfind("I/O error ", 0), 0u) << CapturedErrors()[0].Text;
    EXPECT_EQ(Paths(), (std::vector<std::string>{a}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp"}));
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 1 file(s)");
    EXPECT_EQ(LastList(), "previous");
}

TEST_F(ListFileHandlers, LoadWhoseFirstEntryCannotBeShownKeepsBothListsInStep)
{
    PutFileBytes(folder / "LastList.lst", "previous");
    PutFileBytes(folder / "pcx.lst", "2\r\nC:\\a.pcx\r\nC:\\b.bmp\r\n");
    openDialog.files = {folder / "pcx.lst"};
    Run([&] { form->onLoadListClick(form->Test().loadListButton); });
    FinishPreviews();
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text, "Unknown picture file extension (.pcx)");
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\a.pcx", "C:\\b.bmp"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.pcx", "b.bmp"}));
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 2 file(s)");
    // The picture is read after the load has ended: the list loaded is the
    // last list, whether its first picture shows or not.
    EXPECT_EQ(LastList(), "2\r\nC:\\a.pcx\r\nC:\\b.bmp\r\n");
}

TEST_F(ListFileHandlers, ACountOfZeroEmptiesBothListsButKeepsThePreview)
{
    Add({MakeBitmap("a.bmp", 4, 4)});
    PutFileBytes(folder / "empty.lst", "-3\r\n");
    openDialog.files = {folder / "empty.lst"};
    form->onLoadListClick(form->Test().loadListButton);
    EXPECT_TRUE(Paths().empty());
    EXPECT_TRUE(Names().empty());
    EXPECT_FALSE(form->Test().previewImage->Picture().Empty());
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 0 file(s)");
    EXPECT_EQ(LastList(), "0\r\n");
}

TEST_F(ListFileHandlers, AHugeCountWithFewLinesStopsAtTheBound)
{
    const std::string a = MakeBitmap("a.bmp", 4, 4);
    PutFileBytes(folder / "huge.lst", "2147483647\r\n" + a + "\r\n");
    openDialog.files = {folder / "huge.lst"};
    form->onLoadListClick(form->Test().loadListButton);
    EXPECT_EQ(form->Test().listModel.Count(), TListFiles::MaxEntriesPastEnd);
    EXPECT_EQ(Paths()[0], a);
    EXPECT_EQ(Paths()[1], "");
    EXPECT_EQ(form->Test().nameList->Items().Count(), TListFiles::MaxEntriesPastEnd);
}

TEST_F(ListFileHandlers, LastListIsCreatedEmptyWhenMissingAndLoadedWhenPresent)
{
    form->LoadLastList();
    FinishPreviews();
    EXPECT_EQ(LastList(), "0\r\n");
    EXPECT_TRUE(Paths().empty());

    const std::string a = MakeBitmap("a.bmp", 7, 5);
    PutFileBytes(folder / "LastList.lst", "1\r\n" + a + "\r\n");
    form->LoadLastList();
    FinishPreviews();
    EXPECT_EQ(Paths(), (std::vector<std::string>{a}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp"}));
    EXPECT_EQ(form->Test().sizeLabel->Caption(), "( 7 x 5 ) pixels");

    form->Test().listModel.Add({"C:\\second.bmp"});
    form->SaveLastList();
    EXPECT_EQ(LastList(), "2\r\n" + a + "\r\nC:\\second.bmp\r\n");
    // The current folder is left at the program's folder.
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(std::string(current) + "\\", folder.Path() + "\\");
}

TEST_F(ListFileHandlers, ALastListWhoseFirstPictureIsGoneStartsWithoutABoxAndSaysSoInThePreview)
{
    const std::string b = MakeBitmap("b.bmp", 3, 2);
    PutFileBytes(folder / "LastList.lst", "2\r\n" + folder / "deleted.bmp" + "\r\n" + b + "\r\n");
    CapturedErrors().clear();
    TMainForm second(nullptr, Services());
    FinishPreviews(second);
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(second.PreviewFailure().rfind("Cannot open file \"" + folder / "deleted.bmp", 0), 0u);
    EXPECT_EQ(second.Test().nameLabel->Caption(), "deleted.bmp");
    EXPECT_EQ(second.Test().listModel.Count(), 2);
    EXPECT_EQ(second.Test().nameList->Items().Texts(), (std::vector<std::string>{"deleted.bmp", "b.bmp"}));
    EXPECT_EQ(second.Test().nameList->ItemIndex(), 0);
    EXPECT_EQ(second.Test().totalLabel->Caption(), "Total : 2 file(s)");
}

TEST_F(ListFileHandlers, ALoadedListOpensNothingOnAnotherComputerUntilTheUserSelectsIt)
{
    const std::string local = MakeBitmap("local.bmp", 3, 2);
    const std::vector<std::string> remote = {"\\\\host\\share\\x.jpg", "//host/share/x2.jpg",
                                             "\\\\?\\UNC\\host\\share\\y.jpg", "Z:\\pics\\z.jpg"};
    std::string list = "5\r\n";
    for (const std::string& entry : remote)
        list += entry + "\r\n";
    PutFileBytes(folder / "LastList.lst", list + local + "\r\n");
    entryFiles.touched.clear();
    TMainForm second(nullptr, Services());
    FinishPreviews(second);
    EXPECT_EQ(entryFiles.touched, std::vector<std::string>{local});
    EXPECT_EQ(second.Test().nameLabel->Caption(), "local.bmp");
    EXPECT_EQ(second.Test().listModel.Selected(), 4);
    EXPECT_EQ(second.Test().nameList->ItemIndex(), 4);
    EXPECT_TRUE(CapturedErrors().empty());
    // Its deletion shows no neighbour on another computer either.
    second.onDeleteClick(nullptr);
    FinishPreviews(second);
    EXPECT_EQ(entryFiles.touched, std::vector<std::string>{local});
    EXPECT_EQ(second.Test().listModel.Selected(), -1);

    // Loaded by the user, the same: the first entry on this computer.
    PutFileBytes(folder / "sent.lst", list + local + "\r\n");
    openDialog.files = {folder / "sent.lst"};
    entryFiles.touched.clear();
    Run([&] { form->onLoadListClick(form->Test().loadListButton); });
    FinishPreviews();
    EXPECT_EQ(entryFiles.touched, std::vector<std::string>{local});

    // Only remote entries: nothing shown, nothing to apply.
    PutFileBytes(folder / "sent.lst", "1\r\n" + remote[0] + "\r\n");
    entryFiles.touched.clear();
    Run([&] { form->onLoadListClick(form->Test().loadListButton); });
    FinishPreviews();
    EXPECT_TRUE(entryFiles.touched.empty());
    EXPECT_EQ(form->Test().listModel.Selected(), -1);
    EXPECT_FALSE(form->Test().applyButton->Enabled());
    EXPECT_TRUE(CapturedErrors().empty());

    // The user's own selection opens it.
    form->Test().nameList->SetItemIndex(0);
    Run([&] { form->onNameListClick(form->Test().nameList); });
    FinishPreviews();
    EXPECT_EQ(entryFiles.touched, std::vector<std::string>{remote[0]});
}

TEST_F(ListFileHandlers, AnUnreadableLastListIsKeptBeforeAnythingWritesIt)
{
    // A damaged count.
    PutFileBytes(folder / "LastList.lst", "12abc\r\nC:\\mine.bmp\r\n");
    CapturedErrors().clear();
    {
        TMainForm second(nullptr, Services());
        FinishPreviews(second);
        ASSERT_EQ(CapturedErrors().size(), 1u);
        EXPECT_EQ(CapturedErrors()[0].Text,
                  "Invalid numeric input. The last list is kept as " + folder / "LastList.bak" + ".");
        EXPECT_EQ(FileBytes(folder / "LastList.bak"), "12abc\r\nC:\\mine.bmp\r\n");
        second.SaveLastList();
        EXPECT_EQ(LastList(), "0\r\n");
    }

    // Held open by another program for longer than the start waits.
    PutFileBytes(folder / "LastList.lst", "1\r\nC:\\held.bmp\r\n");
    TFileHandle holder(CreateFileA((folder / "LastList.lst").c_str(), GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.Valid());
    CapturedErrors().clear();
    TMainForm third(nullptr, Services());
    FinishPreviews(third);
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text,
              "I/O error 32. The last list is kept as " + folder / "LastList.bak" + ".");
    EXPECT_EQ(FileBytes(folder / "LastList.bak"), "1\r\nC:\\held.bmp\r\n");
    holder.Close();
    third.SaveLastList();
    EXPECT_EQ(LastList(), "0\r\n");
    EXPECT_EQ(FileBytes(folder / "LastList.bak"), "1\r\nC:\\held.bmp\r\n");
}

TEST_F(ListFileHandlers, ALastListWithAByteOrderMarkReads)
{
    const std::string a = MakeBitmap("a.bmp", 4, 4);
    PutFileBytes(folder / "LastList.lst", "\xEF\xBB\xBF"
                                          "1\r\n" +
                                              a + "\r\n");
    CapturedErrors().clear();
    TMainForm second(nullptr, Services());
    FinishPreviews(second);
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(second.Test().nameList->Items().Texts(), (std::vector<std::string>{"a.bmp"}));
}

TEST_F(ListFileHandlers, StartRemovesStaleTemporaryFilesOfKilledSaves)
{
    PutFileBytes(folder / "~tsv0BADF00D.tmp", "12\r\nhalf a list");
    SetFileAge(folder / "~tsv0BADF00D.tmp", 10);
    TMainForm second(nullptr, Services());
    FinishPreviews(second);
    EXPECT_FALSE(FileExists(folder / "~tsv0BADF00D.tmp"));
}

TEST_F(ListFileHandlers, StartRemovesAStaleTemporaryBitmapInTheUsersOwnFolder)
{
    // The Windows folder takes no files, so the bitmap, and the temporary
    // file of a write that was killed, live in the user's folder.
    TTempFolder userFolder;
    desktop.ClosedFolders.push_back(desktop.WindowsDirectory());
    desktop.UserFolder = userFolder.Path() + "\\";
    PutFileBytes(userFolder / "~tsv5BA4E000.tmp", "BM an old wallpaper");
    SetFileAge(userFolder / "~tsv5BA4E000.tmp", 10);
    TMainForm second(nullptr, Services());
    FinishPreviews(second);
    EXPECT_FALSE(FileExists(userFolder / "~tsv5BA4E000.tmp"));
}

TEST_F(ListFileHandlers, ANewMainFormComesUpWithTheLastListAndExitKeepsIt)
{
    const std::string a = MakeBitmap("a.bmp", 3, 2);
    PutFileBytes(folder / "LastList.lst", "1\r\n" + a + "\r\n");
    TMainForm second(nullptr, Services());
    FinishPreviews(second);
    EXPECT_EQ(second.Test().listModel.Paths(), (std::vector<std::string>{a}));
    EXPECT_EQ(second.Test().nameList->Items().Texts(), (std::vector<std::string>{"a.bmp"}));
    EXPECT_EQ(second.Test().sizeLabel->Caption(), "( 3 x 2 ) pixels");

    second.Test().listModel.Add({"C:\\more.bmp"});
    second.ShutDownProgram();
    EXPECT_EQ(LastList(), "2\r\n" + a + "\r\nC:\\more.bmp\r\n");
    // The loop would end at its next turn; this test has none, so undo that.
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(ListFileHandlers, TheLastListLivesInTheFolderGivenWhileEntriesResolveBesideTheProgram)
{
    // A standard user's installed copy: the list is in the user's folder.
    TTempFolder userFolder;
    PutFileBytes(userFolder / "LastList.lst", "1\r\na.bmp\r\n");
    MakeBitmap("a.bmp", 7, 5);
    DeleteFileA((folder / "LastList.lst").c_str());
    PlatformServices services = Services();
    services.LastListFolder = userFolder.Path() + "\\";

    TMainForm second(nullptr, services);
    FinishPreviews(second);
    EXPECT_EQ(second.Test().listModel.Paths(), (std::vector<std::string>{"a.bmp"}));
    EXPECT_EQ(second.Test().sizeLabel->Caption(), "( 7 x 5 ) pixels");

    second.Test().listModel.Add({"C:\\more.bmp"});
    second.ShutDownProgram();
    EXPECT_EQ(FileBytes(userFolder / "LastList.lst"), "2\r\na.bmp\r\nC:\\more.bmp\r\n");
    EXPECT_FALSE(FileExists(folder / "LastList.lst")) << "the program's folder is left alone";
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);

    // A missing list is started empty in the given folder too.
    TTempFolder emptyFolder;
    services.LastListFolder = emptyFolder.Path() + "\\";
    TMainForm third(nullptr, services);
    FinishPreviews(third);
    EXPECT_TRUE(third.Test().listModel.Paths().empty());
    EXPECT_EQ(FileBytes(emptyFolder / "LastList.lst"), "0\r\n");
    EXPECT_FALSE(FileExists(folder / "LastList.lst"));
}
