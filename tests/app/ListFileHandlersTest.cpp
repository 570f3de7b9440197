// "Save", "Load List" and the last list on a hidden main form with fake
// dialogs and a temporary program folder.

#include "FormFixture.h"
#include "platform/Files.h"

class ListFileHandlers : public FormFixture {
protected:
    std::string LastList() { return FileBytes(folder / "LastList.lst"); }
};

TEST_F(ListFileHandlers, SaveAppendsTheExtensionAlwaysAndWritesTheListExactly)
{
    const std::string a = MakeBitmap("a.bmp", 4, 4);
    Add({a});
    form->ListBox1->Items().Add("");
    saveDialog.files = {folder / "mine"};
    form->ButtonSaveClick(form->ButtonSave);
    EXPECT_EQ(saveDialog.title, "Saving list of image files for wallpaper ...");
    EXPECT_EQ(FileBytes(folder / "mine.lst"), "2\r\n" + a + "\r\n\r\n");

    saveDialog.files = {folder / "mine.lst"};
    form->ButtonSaveClick(form->ButtonSave);
    EXPECT_EQ(FileBytes(folder / "mine.lst.lst"), "2\r\n" + a + "\r\n\r\n");

    saveDialog.confirm = false;
    saveDialog.files = {folder / "cancelled"};
    form->ButtonSaveClick(form->ButtonSave);
    EXPECT_FALSE(FileExists(folder / "cancelled.lst"));
}

TEST_F(ListFileHandlers, LoadReplacesTheListShowsTheFirstAndWritesTheLastList)
{
    Add({MakeBitmap("old.bmp", 4, 4)});
    const std::string a = MakeBitmap("a.bmp", 6, 2);
    const std::string b = MakeBitmap("b.bmp", 3, 3);
    PutFileBytes(folder / "load.lst", "  2 trailing words\n" + a + "\r\n" + b + "\n\nignored beyond the count\r\n");
    openDialog.files = {folder / "load.lst"};
    form->ButtonLoadListClick(form->ButtonLoadList);
    EXPECT_EQ(openDialog.title, "Loading file for wallpaper ...");
    EXPECT_EQ(Paths(), (std::vector<std::string>{a, b}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "b.bmp"}));
    EXPECT_EQ(form->ListBox2->ItemIndex(), -1);
    EXPECT_EQ(form->ListBox1->ItemIndex(), 0);
    EXPECT_EQ(form->Label3->Caption(), "( 6 x 2 ) pixels");
    EXPECT_EQ(form->LabelSumOfFiles->Caption(), "Total : 2 file(s)");
    EXPECT_EQ(LastList(), "2\r\n" + a + "\r\n" + b + "\r\n");
}

TEST_F(ListFileHandlers, LoadCancelledStillWritesTheLastList)
{
    const std::string a = MakeBitmap("a.bmp", 4, 4);
    Add({a});
    openDialog.confirm = false;
    form->ButtonLoadListClick(form->ButtonLoadList);
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
    Run([&] { form->ButtonLoadListClick(form->ButtonLoadList); });
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text, "Invalid numeric input.");
    EXPECT_EQ(Paths(), (std::vector<std::string>{a}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp"}));
    EXPECT_EQ(LastList(), "previous");

    openDialog.files = {folder / "missing.lst"};
    Run([&] { form->ButtonLoadListClick(form->ButtonLoadList); });
    ASSERT_EQ(CapturedErrors().size(), 2u);
    EXPECT_EQ(CapturedErrors()[1].Text, "File not found.");
    EXPECT_EQ(Paths().size(), 1u);
}

TEST_F(ListFileHandlers, LoadWhoseFirstEntryCannotBeShownKeepsTheEntriesAndSkipsTheLastList)
{
    PutFileBytes(folder / "LastList.lst", "previous");
    PutFileBytes(folder / "gif.lst", "2\r\nC:\\a.gif\r\nC:\\b.bmp\r\n");
    openDialog.files = {folder / "gif.lst"};
    Run([&] { form->ButtonLoadListClick(form->ButtonLoadList); });
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(Paths().size(), 2u);
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(LastList(), "previous");
}

TEST_F(ListFileHandlers, ACountOfZeroEmptiesBothListsButKeepsThePreview)
{
    Add({MakeBitmap("a.bmp", 4, 4)});
    PutFileBytes(folder / "empty.lst", "-3\r\n");
    openDialog.files = {folder / "empty.lst"};
    form->ButtonLoadListClick(form->ButtonLoadList);
    EXPECT_TRUE(Paths().empty());
    EXPECT_TRUE(Names().empty());
    EXPECT_FALSE(form->Image1->Picture().Empty());
    EXPECT_EQ(form->LabelSumOfFiles->Caption(), "Total : 0 file(s)");
    EXPECT_EQ(LastList(), "0\r\n");
}

TEST_F(ListFileHandlers, AHugeCountWithFewLinesStopsAtTheBound)
{
    const std::string a = MakeBitmap("a.bmp", 4, 4);
    PutFileBytes(folder / "huge.lst", "2147483647\r\n" + a + "\r\n");
    openDialog.files = {folder / "huge.lst"};
    form->ButtonLoadListClick(form->ButtonLoadList);
    EXPECT_EQ(form->ListBox1->Items().Count(), TListFiles::MaxEntriesPastEnd);
    EXPECT_EQ(Paths()[0], a);
    EXPECT_EQ(Paths()[1], "");
    EXPECT_EQ(form->ListBox2->Items().Count(), TListFiles::MaxEntriesPastEnd);
}

TEST_F(ListFileHandlers, LastListIsCreatedEmptyWhenMissingAndLoadedWhenPresent)
{
    form->LoadLastList();
    EXPECT_EQ(LastList(), "0\r\n");
    EXPECT_TRUE(Paths().empty());

    const std::string a = MakeBitmap("a.bmp", 7, 5);
    PutFileBytes(folder / "LastList.lst", "1\r\n" + a + "\r\n");
    form->LoadLastList();
    EXPECT_EQ(Paths(), (std::vector<std::string>{a}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp"}));
    EXPECT_EQ(form->Label3->Caption(), "( 7 x 5 ) pixels");

    form->ListBox1->Items().Add("C:\\second.bmp");
    form->SaveLastList();
    EXPECT_EQ(LastList(), "2\r\n" + a + "\r\nC:\\second.bmp\r\n");
    // The current folder is left at the program's folder.
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(std::string(current) + "\\", folder.Path() + "\\");
}

TEST_F(ListFileHandlers, ANewMainFormComesUpWithTheLastListAndExitKeepsIt)
{
    const std::string a = MakeBitmap("a.bmp", 3, 2);
    PutFileBytes(folder / "LastList.lst", "1\r\n" + a + "\r\n");
    TForm1 second(nullptr, Services());
    EXPECT_EQ(second.ListBox1->Items().Texts(), (std::vector<std::string>{a}));
    EXPECT_EQ(second.ListBox2->Items().Texts(), (std::vector<std::string>{"a.bmp"}));
    EXPECT_EQ(second.Label3->Caption(), "( 3 x 2 ) pixels");

    second.ListBox1->Items().Add("C:\\more.bmp");
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

    TForm1 second(nullptr, services);
    EXPECT_EQ(second.ListBox1->Items().Texts(), (std::vector<std::string>{"a.bmp"}));
    EXPECT_EQ(second.Label3->Caption(), "( 7 x 5 ) pixels");

    second.ListBox1->Items().Add("C:\\more.bmp");
    second.ShutDownProgram();
    EXPECT_EQ(FileBytes(userFolder / "LastList.lst"), "2\r\na.bmp\r\nC:\\more.bmp\r\n");
    EXPECT_FALSE(FileExists(folder / "LastList.lst")) << "the program's folder is left alone";
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);

    // A missing list is started empty in the given folder too.
    TTempFolder emptyFolder;
    services.LastListFolder = emptyFolder.Path() + "\\";
    TForm1 third(nullptr, services);
    EXPECT_TRUE(third.ListBox1->Items().Texts().empty());
    EXPECT_EQ(FileBytes(emptyFolder / "LastList.lst"), "0\r\n");
    EXPECT_FALSE(FileExists(folder / "LastList.lst"));
}
