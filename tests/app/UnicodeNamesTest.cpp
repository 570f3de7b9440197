// File names in any script on a hidden main form with fake dialogs: added,
// shown in the name list and the Name and Path labels as they are, applied,
// saved and loaded back, and kept in the last list; the list files are
// written in the code page when they can be, as marked UTF-8 otherwise.

#include "FormFixture.h"
#include "platform/Files.h"
#include "support/Render.h"

namespace {

const std::string Greek = "\xce\x98\xce\xac\xce\xbb\xce\xb1\xcf\x83\xcf\x83\xce\xb1.bmp";
const std::string Japanese = "\xe5\xaf\x8c\xe5\xa3\xab\xe5\xb1\xb1.bmp";
const std::string Emoji = "\xf0\x9f\x8c\x8a wave.bmp";
const std::string Combining = "Cafe\xcc\x81.bmp";
const std::string Bom = "\xef\xbb\xbf";

std::string ListBytes(const std::vector<std::string>& entries)
{
    std::string bytes = std::to_string(entries.size()) + "\r\n";
    for (const std::string& entry : entries)
        bytes += entry + "\r\n";
    return bytes;
}

} // namespace

class UnicodeNames : public FormFixture {};

TEST_F(UnicodeNames, NamesInAnyScriptAreAddedShownAppliedSavedAndLoadedBack)
{
    const std::vector<std::string> paths = {MakeBitmap(Greek, 6, 2), MakeBitmap(Japanese, 3, 3, clBlue),
                                            MakeBitmap(Emoji, 4, 4), MakeBitmap(Combining, 5, 5)};
    Add(paths);
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(Paths(), paths);
    EXPECT_EQ(Names(), (std::vector<std::string>{Greek, Japanese, Emoji, Combining}));
    EXPECT_EQ(form->Test().nameLabel->Caption(), Greek);
    EXPECT_EQ(form->Test().pathLabel->Caption(), paths[0]);
    EXPECT_EQ(form->Test().sizeLabel->Caption(), "( 6 x 2 ) pixels");

    // Tiled, a bitmap is applied in place: the desktop is told its own name.
    form->Test().styleBox->SetItemIndex(1);
    form->Test().listModel.Select(1);
    form->onApplyClick(form->Test().applyButton);
    FinishChanges();
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(desktop.WallpaperCalls, std::vector<std::string>{paths[1]});

    // Saved as marked UTF-8, loaded back the same, kept in the last list.
    saveDialog.files = {folder / "\xce\xbb\xce\xaf\xcf\x83\xcf\x84\xce\xb1"};
    form->onSaveListClick(form->Test().saveListButton);
    const std::string saved = folder / "\xce\xbb\xce\xaf\xcf\x83\xcf\x84\xce\xb1.lst";
    EXPECT_EQ(FileBytes(saved), Bom + ListBytes(paths));
    form->Test().listModel.Clear();
    openDialog.files = {saved};
    form->onLoadListClick(form->Test().loadListButton);
    EXPECT_EQ(Paths(), paths);
    EXPECT_EQ(Names(), (std::vector<std::string>{Greek, Japanese, Emoji, Combining}));
    EXPECT_EQ(FileBytes(folder / "LastList.lst"), Bom + ListBytes(paths));
}

TEST_F(UnicodeNames, TheNameLabelShowsTheLettersThemselves)
{
    // The Name label shows the characters themselves: its ink is that of the
    // text drawn on its own, and not that of as many question marks. (A
    // Cyrillic and Polish name: the fonts of the test system have those
    // letters, so the two differ.)
    const std::string cyrillic = "\xd0\x90\xd0\xbb\xd1\x91\xd0\xbd\xd0\xb0 \xc5\x81\xc3\xb3"
                                 "d\xc5\xba.bmp";
    Add({MakeBitmap(cyrillic, 2, 2)});
    EXPECT_EQ(Names(), std::vector<std::string>{cyrillic});
    ASSERT_EQ(form->Test().nameLabel->Caption(), cyrillic);
    auto shot = RenderControl(*form->Test().optionsPanel);
    const RECT box = form->Test().nameLabel->BoundsRect();
    const int width = box.right - box.left, height = box.bottom - box.top;
    EXPECT_TRUE(
        SameInk(*shot, box, *RenderTextAsIs(form->Test().nameLabel->Font(), cyrillic, width, height)));
    EXPECT_FALSE(SameInk(*shot, box,
                         *RenderTextAsIs(form->Test().nameLabel->Font(), "????? ????.bmp", width, height)));
}

TEST_F(UnicodeNames, AListInTheCodePageReadsAndIsWrittenBackByteForByte)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the bytes below are those of code page 1252";
    const std::string cafe = MakeBitmap("caf\xc3\xa9.bmp", 4, 4);
    const std::string written = ListBytes({folder / "caf\xe9.bmp", "C:\\gone.jpg"});
    PutFileBytes(folder / "old.lst", written);
    openDialog.files = {folder / "old.lst"};
    form->onLoadListClick(form->Test().loadListButton);
    FinishPreviews();
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(Paths(), (std::vector<std::string>{cafe, "C:\\gone.jpg"}));
    EXPECT_EQ(form->Test().nameLabel->Caption(), "caf\xc3\xa9.bmp");
    EXPECT_EQ(FileBytes(folder / "LastList.lst"), written);
}

TEST_F(UnicodeNames, ALastListThatIsNotTheUtf8ItClaimsIsKeptAndNamedInTheError)
{
    const std::string broken = Bom + ListBytes({"C:\\fine.jpg", "C:\\caf\xe9.jpg"});
    PutFileBytes(folder / "LastList.lst", broken);
    CapturedErrors().clear();
    TMainForm second(nullptr, Services());
    FinishPreviews(second);
    ASSERT_EQ(CapturedErrors().size(), 1u);
    const std::string& error = CapturedErrors()[0].Text;
    EXPECT_NE(error.find("Line 3 of the list file is not valid UTF-8 text"), std::string::npos) << error;
    EXPECT_EQ(FileBytes(folder / "LastList.bak"), broken);
    EXPECT_TRUE(second.Test().listModel.Paths().empty());
}
