// The list commands and the preview, on a hidden main form with a fake
// picture dialog: what the user sees in both lists, the labels and the
// preview after each command, and after failures.

#include "FormFixture.h"
#include "lists/Preview.h"
#include "support/ErrorOf.h"
#include "support/ModalScript.h"
#include "support/Render.h"

class ImageListCommands : public FormFixture {
protected:
    // Three pictures of different sizes in the list, entry `shown` shown.
    void ThreeEntries(int shown = 0)
    {
        Add({MakeBitmap("a.bmp", 8, 6), MakeBitmap("b.bmp", 10, 4), MakeBitmap("c.bmp", 3, 9)});
        ClickName(shown);
    }
    void ClickName(int row)
    {
        form->Test().nameList->SetItemIndex(row);
        form->onNameListClick(form->Test().nameList);
        FinishPreviews();
    }
};

TEST_F(ImageListCommands, AddingTwoFilesToAnEmptyListShowsTheFirst)
{
    const std::string first = MakeBitmap("first.bmp", 8, 6);
    const std::string second = MakeBitmap("second.bmp", 5, 5);
    Add({first, second});
    EXPECT_EQ(pictures.title, "Add image file ...");
    EXPECT_EQ(Paths(), (std::vector<std::string>{first, second}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"first.bmp", "second.bmp"}));
    EXPECT_EQ(form->Test().listModel.Selected(), 0);
    EXPECT_EQ(form->Test().nameList->ItemIndex(), 0);
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 2 file(s)");
    EXPECT_EQ(form->Test().nameLabel->Caption(), "first.bmp");
    EXPECT_EQ(form->Test().nameLabel->Hint(), "first.bmp");
    EXPECT_EQ(form->Test().sizeLabel->Caption(), "( 8 x 6 ) pixels");
    EXPECT_EQ(form->Test().pathLabel->Caption(), first);
    EXPECT_EQ(form->Test().pathLabel->Hint(), first);
    // The preview is the box's picture of the monitor, whatever the picture's size.
    EXPECT_EQ(form->Test().previewImage->Picture().Width(), form->Test().previewImage->Width());
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(ImageListCommands, AddingWhileAnEntryIsSelectedKeepsItShownAndSkipsWhatIsListed)
{
    ThreeEntries(2);
    const std::string d = MakeBitmap("d.bmp", 2, 2);
    // a.bmp again in another case, and d.bmp twice in one add.
    Add({folder / "A.BMP", d, d});
    EXPECT_EQ(Paths().size(), 4u);
    EXPECT_EQ(Paths()[3], d);
    EXPECT_EQ(form->Test().listModel.Selected(), 2);
    EXPECT_EQ(form->Test().nameList->ItemIndex(), 2);
    EXPECT_EQ(form->Test().nameLabel->Caption(), "c.bmp");
    EXPECT_EQ(Names().back(), "d.bmp");
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 4 file(s) (2 skipped)");
    EXPECT_EQ(form->Test().totalLabel->Hint(), "2 file(s) already in the list were not added again");
    // The note stays only until the next total.
    ClickName(0);
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 4 file(s)");
    EXPECT_EQ(form->Test().totalLabel->Hint(), "");
    Add({d});
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 4 file(s) (1 skipped)");
}

TEST_F(ImageListCommands, NamesThatDifferOnlyInCaseBeyondAsciiAreTheSameEntry)
{
    // Windows takes "Ωmega" and "ωMEGA" for one file: added once.
    const std::string upper = MakeBitmap("\xCE\xA9mega.bmp", 2, 2);
    Add({upper});
    Add({folder / "\xCF\x89MEGA.BMP"});
    EXPECT_EQ(Paths(), std::vector<std::string>{upper});
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 1 file(s) (1 skipped)");
}

TEST_F(ImageListCommands, CancellingTheDialogShowsTheSelectedEntryAgain)
{
    ThreeEntries(0);
    MakeBitmap("a.bmp", 20, 30); // changed on disk meanwhile
    pictures.confirm = false;
    form->onAddClick(form->Test().addButton);
    FinishPreviews();
    EXPECT_EQ(Paths().size(), 3u);
    EXPECT_EQ(form->Test().sizeLabel->Caption(), "( 20 x 30 ) pixels");
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 3 file(s)");
}

TEST_F(ImageListCommands, DeletingFirstOrLastShowsTheNeighbour)
{
    ThreeEntries(0);
    form->onDeleteClick(form->Test().deleteButton);
    FinishPreviews();
    EXPECT_EQ(Names(), (std::vector<std::string>{"b.bmp", "c.bmp"}));
    EXPECT_EQ(Paths().size(), 2u);
    EXPECT_EQ(form->Test().nameLabel->Caption(), "b.bmp");
    EXPECT_TRUE(form->Test().nameLabel->Visible());
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 2 file(s)");
    EXPECT_EQ(form->Test().nameList->ItemIndex(), 0);

    Add({MakeBitmap("d.bmp", 2, 2)});
    ClickName(2);
    form->onDeleteClick(form->Test().deleteButton);
    FinishPreviews();
    EXPECT_EQ(Names(), (std::vector<std::string>{"b.bmp", "c.bmp"}));
    EXPECT_EQ(form->Test().nameLabel->Caption(), "c.bmp");
    EXPECT_EQ(form->Test().listModel.Selected(), 1);
    EXPECT_EQ(form->Test().nameList->ItemIndex(), 1);
}

TEST_F(ImageListCommands, DeletingTheOnlyEntryLeavesEverythingEmptyButThePath)
{
    const std::string only = MakeBitmap("only.bmp", 4, 4);
    Add({only});
    form->Test().currentIndex = 0;
    form->onDeleteClick(form->Test().deleteButton);
    EXPECT_TRUE(Paths().empty());
    EXPECT_TRUE(Names().empty());
    EXPECT_TRUE(form->Test().previewImage->Picture().Empty());
    EXPECT_FALSE(form->Test().sizeLabel->Visible());
    EXPECT_FALSE(form->Test().nameLabel->Visible());
    EXPECT_EQ(form->Test().pathLabel->Caption(), only);
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 0 file(s)");
}

TEST_F(ImageListCommands, NewListAsksFirstAndNoTheDefaultKeepsTheList)
{
    ThreeEntries(1);
    form->LastListAutosave().Timer().Tick();
    const std::vector<std::string> before = Paths();
    auto asked = AnsweringQuestions([&] { form->Test().newListButton->Click(); }, {IDNO});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Text, "Start a new list? The 3 pictures in the current list will be removed from it.");
    EXPECT_EQ(asked[0].DefaultButton, IDNO);
    EXPECT_EQ(Paths(), before);
    EXPECT_EQ(Names().size(), 3u);
    EXPECT_FALSE(form->LastListAutosave().Pending());

    asked = AnsweringQuestions([&] { form->Test().newListButton->Click(); }, {IDYES});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(Paths().empty());
    EXPECT_TRUE(form->LastListAutosave().Pending());
    // An empty list has nothing to lose: no question.
    asked = AnsweringQuestions([&] { form->Test().newListButton->Click(); }, {IDYES});
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(TMainForm::NewListQuestion(1),
              "Start a new list? The 1 picture in the current list will be removed from it.");
}

TEST_F(ImageListCommands, NewListEmptiesListsAndPreviewButKeepsTheLabels)
{
    ThreeEntries(1);
    AnsweringQuestions([&] { form->onNewListClick(form->Test().newListButton); }, {IDYES});
    EXPECT_TRUE(Paths().empty());
    EXPECT_TRUE(Names().empty());
    EXPECT_TRUE(form->Test().previewImage->Picture().Empty());
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 0 file(s)");
    EXPECT_EQ(form->Test().nameLabel->Caption(), "b.bmp");
    EXPECT_EQ(form->Test().currentIndex, 1);
}

TEST_F(ImageListCommands, ClickingANameShowsItsFileAndMovesOnlyThePathSelection)
{
    ThreeEntries(0);
    ClickName(2);
    EXPECT_EQ(form->Test().pathLabel->Caption(), folder / "c.bmp");
    EXPECT_EQ(form->Test().nameLabel->Caption(), "c.bmp");
    EXPECT_EQ(form->Test().sizeLabel->Caption(), "( 3 x 9 ) pixels");
    EXPECT_EQ(form->Test().listModel.Selected(), 2);

    // Showing another entry from code leaves the user's highlight alone.
    form->Test().currentIndex = 1;
    form->ShowSelectedImage();
    FinishPreviews();
    EXPECT_EQ(form->Test().listModel.Selected(), 1);
    EXPECT_EQ(form->Test().nameList->ItemIndex(), 2);
    EXPECT_TRUE(form->Test().applyButton->Enabled());
    EXPECT_EQ(form->Test().sizeLabel->Caption(), "( 10 x 4 ) pixels");
}

TEST_F(ImageListCommands, AShownPictureRenamedInItsFolderIsNamedByItsNewNameAtOnce)
{
    ThreeEntries(0);
    ClickName(2);
    form->Test().listModel.Rename(2, folder / "renamed.bmp");
    EXPECT_EQ(form->Test().nameLabel->Caption(), "renamed.bmp");
    EXPECT_EQ(form->Test().pathLabel->Caption(), folder / "renamed.bmp");
    EXPECT_EQ(form->Test().pathLabel->Hint(), folder / "renamed.bmp");
    // Another entry's new name leaves the labels alone.
    form->Test().listModel.Rename(0, folder / "first.bmp");
    EXPECT_EQ(form->Test().nameLabel->Caption(), "renamed.bmp");
}

TEST_F(ImageListCommands, ASelectedEntryThatCannotBeShownSaysWhyInThePreviewWithoutABox)
{
    ThreeEntries(1);
    const std::string broken = folder / "broken.jpg";
    PutFileBytes(broken, "not a jpeg at all");
    Run([&] { Add({broken, folder / "picture.pcx"}); });
    EXPECT_EQ(Names().size(), 5u);

    form->Test().applyButton->SetEnabled(false);
    Run([&] { ClickName(3); });
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(form->PreviewFailure().rfind("JPEG error #", 0), 0u);
    EXPECT_EQ(form->Test().nameLabel->Caption(), "broken.jpg");
    EXPECT_FALSE(form->Test().sizeLabel->Visible());
    EXPECT_EQ(form->Test().pathLabel->Caption(), broken);
    // The previous picture is gone: the box shows the failure at its size.
    EXPECT_EQ(form->Test().previewImage->Picture().Width(), form->Test().previewImage->Width());
    // It stays selected, and greyed in the list.
    EXPECT_EQ(form->Test().listModel.Selected(), 3);
    EXPECT_TRUE(form->Test().applyButton->Enabled());
    EXPECT_TRUE(form->Test().nameList->RowGreyed(3));
    EXPECT_FALSE(form->Test().nameList->RowGreyed(1));
    // Apply is the user's act: the file's own error, as a box.
    Run([&] { form->onApplyClick(form->Test().applyButton); });
    FinishChanges();
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text.rfind("JPEG error #", 0), 0u) << CapturedErrors()[0].Text;

    Run([&] { ClickName(4); });
    EXPECT_EQ(form->PreviewFailure(), "Unknown picture file extension (.pcx)");

    // A click below the rows selects nothing and shows nothing.
    Run([&] { ClickName(-1); });
    EXPECT_EQ(CapturedErrors().size(), 1u);

    // A file that went is marked; once it shows again, no longer.
    DeleteFileA((folder / "a.bmp").c_str());
    Run([&] { ClickName(0); });
    EXPECT_TRUE(form->Test().nameList->RowGreyed(0));
    MakeBitmap("a.bmp", 3, 3);
    Run([&] { ClickName(0); });
    EXPECT_EQ(form->PreviewFailure(), "");
    EXPECT_FALSE(form->Test().nameList->RowGreyed(0));
    EXPECT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(Application->Cursor(), crDefault);
}

TEST_F(ImageListCommands, AutomaticShowingRaisesTheFailureAfterShowingIt)
{
    ThreeEntries(0);
    Run([&] {
        form->Test().listModel.Load({folder / "missing.bmp"});
        form->Test().currentIndex = 0;
        form->ShowSelectedImage();
    });
    // Read on the worker: the failure is raised when the read ends.
    EXPECT_TRUE(CapturedErrors().empty());
    FinishPreviews();
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text.rfind("Cannot open file \"" + folder / "missing.bmp" + "\". ", 0), 0u);
    EXPECT_EQ(form->Test().nameLabel->Caption(), "missing.bmp");
    EXPECT_TRUE(form->Test().nameList->RowGreyed(0));
}

TEST_F(ImageListCommands, WithNothingSelectedApplyIsUnavailableAndDoesNothing)
{
    const std::string bad = folder / "bad.gif";
    Run([&] { Add({bad}); }); // the only entry cannot be shown
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(Names(), std::vector<std::string>{"bad.gif"});
    EXPECT_EQ(form->Test().listModel.Selected(), 0);

    const std::string good = MakeBitmap("good.bmp", 4, 4);
    Run([&] { Add({good}); });
    EXPECT_EQ(Names(), (std::vector<std::string>{"bad.gif", "good.bmp"}));
    EXPECT_EQ(form->Test().nameLabel->Caption(), "bad.gif"); // the selected entry stays

    AnsweringQuestions([&] { form->onNewListClick(form->Test().newListButton); }, {IDYES});
    EXPECT_FALSE(form->Test().applyButton->Enabled());
    form->onStyleChange(form->Test().styleBox);
    EXPECT_FALSE(form->Test().applyButton->Enabled());
    Run([&] { form->onApplyClick(form->Test().applyButton); });
    Run([&] { form->onNameListDoubleClick(form->Test().nameList); });
    Run([&] { form->onChangeWallpaperClick(form->Test().changeWallpaperMenuItem); });
    EXPECT_TRUE(CapturedErrors().empty());

    // Delete with no selected path row deletes the highlighted name's entry.
    Run([&] { Add({good, bad}); });
    form->Test().listModel.Select(-1);
    form->Test().nameList->SetItemIndex(0);
    Run([&] { form->onDeleteClick(form->Test().deleteButton); });
    EXPECT_EQ(Paths().size(), Names().size());
    EXPECT_EQ(Names().front(), "bad.gif");
}

TEST_F(ImageListCommands, TheNameListAndTheTotalFollowEveryChangeOfTheList)
{
    TListModel& list = form->Test().listModel;
    list.Add({"C:\\x\\one.bmp", "nofolder.jpg", "D:two.bmp"});
    EXPECT_EQ(Names(), (std::vector<std::string>{"one.bmp", "nofolder.jpg", "two.bmp"}));
    // The highlighted row stays on its entry as others come, go and move.
    form->Test().nameList->SetItemIndex(1);
    list.Add({"C:\\y\\three.bmp"});
    list.Remove(0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"nofolder.jpg", "two.bmp", "three.bmp"}));
    EXPECT_EQ(form->Test().nameList->ItemIndex(), 0);
    list.Move(2, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"three.bmp", "nofolder.jpg", "two.bmp"}));
    EXPECT_EQ(form->Test().nameList->ItemIndex(), 1);
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 3 file(s)");
    list.Load({"C:\\folder\\", "", "C:\\z.bmp", "C:\\Z.BMP"});
    EXPECT_EQ(Names(), (std::vector<std::string>{"", "", "z.bmp", "Z.BMP"}));
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 4 file(s)");
    list.Clear();
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 0 file(s)");
}

TEST(PreviewScale, DecodesOnlyWhatTheBoxNeeds)
{
    EXPECT_EQ(PreviewScaleDenominator(4000, 3000, 218, 162), 8);
    EXPECT_EQ(PreviewScaleDenominator(1600, 1200, 218, 162), 4); // 1/8 would be 200 wide
    EXPECT_EQ(PreviewScaleDenominator(800, 600, 218, 162), 2);
    EXPECT_EQ(PreviewScaleDenominator(300, 200, 218, 162), 1);
    EXPECT_EQ(PreviewScaleDenominator(1744, 1296, 218, 162), 8); // exactly the box at 1/8
}

TEST_F(ImageListCommands, APreviewKeepsOnlyThePictureAtTheSizeOfItsBox)
{
    // A bitmap and a metafile, both larger than the box: each is kept at the
    // box's size in its own colour, and the size label tells the file's size.
    const std::string drawing = folder / "drawing.emf";
    {
        HDC dc = CreateEnhMetaFileA(nullptr, drawing.c_str(), nullptr, nullptr);
        ASSERT_NE(dc, nullptr);
        HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
        RECT all{0, 0, 3000, 2000};
        FillRect(dc, &all, green);
        DeleteObject(green);
        DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    }
    Add({MakeBitmap("large.bmp", 2000, 1500, clRed), drawing});
    const int boxWidth = form->Test().previewImage->Width(), boxHeight = form->Test().previewImage->Height();
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0)};
    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row);
        ClickName(row);
        ASSERT_TRUE(CapturedErrors().empty());
        TBitmap& kept = *form->PreviewBitmap();
        EXPECT_EQ(kept.Width(), boxWidth);
        EXPECT_EQ(kept.Height(), boxHeight);
        EXPECT_EQ(Hex(PixelAt(kept, boxWidth / 2, boxHeight / 2)), Hex(colours[row]));
        EXPECT_EQ(form->Test().previewImage->Picture().Width(), boxWidth);
        EXPECT_EQ(form->Test().previewImage->Picture().Height(), boxHeight);
    }
    ClickName(0);
    EXPECT_EQ(form->Test().sizeLabel->Caption(), "( 2000 x 1500 ) pixels");
}

class AddingFilesAndFolders : public FormFixture {
protected:
    // A folder "pictures" with two pictures, a text file and a subfolder
    // with one more picture, written out of name order.
    std::string PictureTree()
    {
        PictureFolder("pictures");
        return folder / "pictures";
    }
};

TEST_F(AddingFilesAndFolders, FoldersGiveTheirPicturesWithSubfoldersInNameOrderAfterTheList)
{
    const std::string before = MakeBitmap("before.bmp", 2, 2);
    Add({before});
    const std::string tree = PictureTree();
    const std::string loose = MakeBitmap("loose.bmp", 6, 6);
    form->AddFilesAndFolders({tree, loose, tree});
    FinishScan();
    const std::vector<std::string> fromTree{tree + "\\A.bmp", tree + "\\b.bmp", tree + "\\sub\\c.bmp"};
    std::vector<std::string> expected{before};
    expected.insert(expected.end(), fromTree.begin(), fromTree.end());
    expected.push_back(loose);
    // The same folder twice is added once.
    EXPECT_EQ(Paths(), expected);
    EXPECT_EQ(Names().size(), expected.size());
    EXPECT_EQ(Names()[1], "A.bmp");
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 5 file(s) (3 skipped)");
    // And a folder added again adds nothing.
    form->AddFilesAndFolders({tree + "\\"});
    FinishScan();
    EXPECT_EQ(Paths(), expected);
    EXPECT_EQ(form->Test().totalLabel->Caption(), "Total : 5 file(s) (3 skipped)");
    EXPECT_EQ(form->Test().nameLabel->Caption(), "before.bmp"); // the shown entry stays
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(AddingFilesAndFolders, WhatIsNoPictureIsNamedAfterThePicturesAreAdded)
{
    folder.Write("notes.txt", "text");
    const std::string picture = MakeBitmap("p.bmp", 7, 7);
    const std::string message = ErrorOf([&] {
        form->AddFilesAndFolders({folder / "notes.txt", folder / "gone", picture, folder / "other.txt"});
    });
    FinishPreviews();
    EXPECT_EQ(message, folder / "notes.txt" + "\nNot a picture file");
    EXPECT_EQ(Paths(), (std::vector<std::string>{picture}));
    EXPECT_EQ(form->Test().nameLabel->Caption(), "p.bmp");
    EXPECT_EQ(ErrorOf([&] { form->AddFilesAndFolders({folder / "gone"}); }),
              folder / "gone" + "\nFile not found");
    EXPECT_EQ(Paths().size(), 1u);
}

TEST_F(ImageListCommands, ThePreviewShowsTheMonitorWithThePictureInTheStyleChosen)
{
    // A 1600 x 900 monitor in the 218 x 162 box: the screen is 218 x 123
    // at row 19. A 1600 x 600 picture, its left half red, its right blue.
    desktop.Screens = {{0, 0, 1600, 900}};
    TBitmap wide(1600, 600);
    wide.Canvas().Brush().SetColor(clRed);
    wide.Canvas().FillRect({0, 0, 800, 600});
    wide.Canvas().Brush().SetColor(clBlue);
    wide.Canvas().FillRect({800, 0, 1600, 600});
    const std::string path = folder / "wide.bmp";
    wide.SaveToFile(path);
    Add({path});
    const auto style = [&](int index) {
        form->Test().styleBox->SetItemIndex(index);
        Run([&] { form->onStyleChange(form->Test().styleBox); });
    };
    const auto at = [&](int x, int y) { return Hex(PixelAt(*form->PreviewBitmap(), x, y)); };
    const std::string desktopColour = Hex(RGB(0x3A, 0x6E, 0xA5)), red = Hex(RGB(255, 0, 0)),
                      blue = Hex(RGB(0, 0, 255));
    const size_t reads = entryFiles.touched.size();

    style(3); // Fit: the desktop above and below the picture.
    EXPECT_EQ(at(10, 30), desktopColour);
    EXPECT_EQ(at(10, 80), red);
    EXPECT_EQ(at(208, 80), blue);
    EXPECT_EQ(at(10, 135), desktopColour);
    EXPECT_NE(at(10, 5), desktopColour); // the box around the monitor

    style(4); // Fill: the crop, no desktop.
    for (int y : {20, 80, 140}) {
        EXPECT_EQ(at(1, y), red);
        EXPECT_EQ(at(216, y), blue);
    }
    style(0); // Center: 1600 wide is the monitor's width, as Fit.
    EXPECT_EQ(at(10, 30), desktopColour);
    EXPECT_EQ(at(10, 80), red);
    // The picture kept for the first style served the others.
    EXPECT_EQ(entryFiles.touched.size(), reads);
    EXPECT_EQ(form->Test().sizeLabel->Caption(), "( 1600 x 600 ) pixels");
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(ImageListCommands, AClickSelectsAtOnceAndShowsThePictureWhenItHasBeenRead)
{
    ThreeEntries(0);
    form->Test().nameList->SetItemIndex(1);
    form->onNameListClick(form->Test().nameList);
    // Read on the worker: the click has returned, the entry is the one an
    // apply takes, the box shows it busy and the labels wait.
    EXPECT_TRUE(form->PreviewBusy());
    EXPECT_EQ(form->Test().listModel.Selected(), 1);
    EXPECT_EQ(form->Test().previewImage->Cursor(), crAppStart);
    EXPECT_EQ(form->Test().nameLabel->Caption(), "a.bmp");
    FinishPreviews();
    EXPECT_EQ(form->Test().nameLabel->Caption(), "b.bmp");
    EXPECT_EQ(form->Test().previewImage->Cursor(), crDefault);
}

TEST_F(ImageListCommands, APictureSupersededBeforeItIsReadNeverShows)
{
    ThreeEntries(0);
    const std::string broken = folder / "broken.jpg";
    PutFileBytes(broken, "not a jpeg at all");
    Add({broken});
    // The broken entry clicked, then another before its reading ended: its
    // failure is never shown, nor its row greyed.
    for (int row : {3, 2}) {
        form->Test().nameList->SetItemIndex(row);
        form->onNameListClick(form->Test().nameList);
    }
    FinishPreviews();
    EXPECT_EQ(form->Test().nameLabel->Caption(), "c.bmp");
    EXPECT_EQ(form->PreviewFailure(), "");
    EXPECT_FALSE(form->Test().nameList->RowGreyed(3));
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(ImageListCommands, APictureReadAfterTheWindowClosedReachesNothing)
{
    const std::string a = MakeBitmap("a.bmp", 300, 200);
    PutFileBytes(folder / "LastList.lst", "1\r\n" + a + "\r\n");
    {
        TMainForm second(nullptr, Services());
        EXPECT_TRUE(second.PreviewBusy());
    }
    // Whatever of it is still queued finds no window, and nothing fails.
    Application->ProcessMessages();
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(ImageListCommands, APictureStillReadWhenNextShowsAnotherIsNotShownOverIt)
{
    ThreeEntries(0);
    form->Test().nameList->SetItemIndex(2);
    form->onNameListClick(form->Test().nameList);
    // Next shows the rotation's next entry before the click's picture is
    // read.
    Run([&] { form->NextWallpaper(); });
    FinishChanges();
    EXPECT_EQ(form->Test().listModel.Selected(), 1);
    EXPECT_EQ(form->Test().nameLabel->Caption(), "b.bmp");
    EXPECT_EQ(form->Test().sizeLabel->Caption(), "( 10 x 4 ) pixels");
}
