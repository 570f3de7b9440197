// How the program ends: the exit sequence in its order, its two failure
// cases, close requests and the end of a Windows session.

#include "FormFixture.h"
#include "platform/Files.h"
#include "support/ModalScript.h"
#include "wallpaper/SampleJpegs.h"

#include <algorithm>

namespace {

// A notification area that also writes its requests into the journal the
// registry and desktop fakes share, so the order of steps can be read.
class JournalingNotifyIcon : public TFakeNotifyIcon {
public:
    explicit JournalingNotifyIcon(std::vector<std::string>& journal) : journal_(journal) {}
    bool Notify(DWORD message, NOTIFYICONDATAW& data) override
    {
        journal_.push_back(message == NIM_DELETE ? "icon delete" : "icon add");
        return TFakeNotifyIcon::Notify(message, data);
    }

private:
    std::vector<std::string>& journal_;
};

// The atomic writer's temporary files in the folder.
int WriterFilesIn(const std::string& folder)
{
    int count = 0;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        count += IsTemporaryFileName(found.cFileName) ? 1 : 0;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

// Takes the quit message off the queue: true when the program asked to end.
bool QuitRequested()
{
    MSG quit;
    return PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

} // namespace

class ExitSequence : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        QuitRequested();
        form.reset();
        PlatformServices services = Services();
        services.NotifyIcon = &icon;
        form = std::make_unique<TMainForm>(nullptr, services);
        FinishPreviews();
        journal.clear();
        form->Test().listModel.Add({"C:\\edited.bmp"});
    }
    void TearDown() override
    {
        QuitRequested();
        FormFixture::TearDown();
    }
    std::string LastList() const { return FileBytes(folder / "LastList.lst"); }
    // Where the first registry write of the settings step is in the journal.
    size_t FirstSettingsWrite() const
    {
        for (size_t i = 0; i < journal.size(); ++i)
            if (journal[i].find("Write") != std::string::npos)
                return i;
        return journal.size();
    }
    size_t Find(const std::string& entry) const
    {
        return static_cast<size_t>(std::find(journal.begin(), journal.end(), entry) - journal.begin());
    }

    JournalingNotifyIcon icon{journal};
};

TEST_F(ExitSequence, ExitSavesTheListWritesTheOptionsRemovesTheIconThenEnds)
{
    form->Test().startMinimizedBox->SetChecked(false);
    form->Test().exitButton->Click();
    EXPECT_EQ(LastList(), "1\r\nC:\\edited.bmp\r\n");
    ASSERT_LT(Find("icon delete"), journal.size());
    // Whatever can fail comes before the icon goes.
    EXPECT_LT(FirstSettingsWrite(), Find("icon delete"));
    EXPECT_EQ(
        registry.Value(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", "startminimized").value_or(""),
        "0");
    EXPECT_FALSE(icon.Present);
    EXPECT_TRUE(QuitRequested());
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(ExitSequence, AListThatCannotBeWrittenIsReportedThenTheUserChoosesToStayOrToEnd)
{
    // A folder where the last list goes: the file cannot be made.
    ASSERT_TRUE(DeleteFileA((folder / "LastList.lst").c_str()));
    ASSERT_TRUE(CreateDirectoryA((folder / "LastList.lst").c_str(), nullptr));
    form->Test().startMinimizedBox->SetChecked(false);

    // No, the default: the program goes on as it was, icon and options kept.
    auto asked = AnsweringQuestions([&] { form->Test().closeButton->Click(); }, {IDNO});
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text, "Could not save the list to " + folder / "LastList.lst" +
                                            ": access was denied. Check that the file is not read-only and "
                                            "that you may write to its folder, then try again.");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Text, "The list could not be saved. End Tessivo anyway?");
    EXPECT_EQ(asked[0].DefaultButton, IDNO);
    EXPECT_EQ(Find("icon delete"), journal.size());
    EXPECT_EQ(FirstSettingsWrite(), journal.size());
    EXPECT_EQ(
        registry.Value(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", "startminimized").value_or(""),
        "1");
    EXPECT_TRUE(icon.Present);
    EXPECT_FALSE(QuitRequested());

    // Yes: the rest of the exit runs and the program ends.
    asked = AnsweringQuestions([&] { form->Test().exitMenuItem->Click(); }, {IDYES});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(
        registry.Value(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", "startminimized").value_or(""),
        "0");
    EXPECT_FALSE(icon.Present);
    EXPECT_TRUE(QuitRequested());
}

TEST_F(ExitSequence, OptionsThatCannotBeWrittenKeepTheIconUntilTheUserChoosesToEnd)
{
    // The settings key deleted under the running program, say.
    registry.RefuseWritesOf("startminimized");
    auto asked = AnsweringQuestions([&] { form->Test().exitMenuItem->Click(); }, {IDNO});
    ASSERT_EQ(CapturedErrors().size(), 1u);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Text, "The options could not be saved. End Tessivo anyway?");
    EXPECT_EQ(LastList(), "1\r\nC:\\edited.bmp\r\n");
    EXPECT_TRUE(icon.Present);
    EXPECT_FALSE(QuitRequested());

    asked = AnsweringQuestions([&] { form->Test().exitMenuItem->Click(); }, {IDYES});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_FALSE(icon.Present);
    EXPECT_TRUE(QuitRequested());
}

TEST_F(ExitSequence, ACloseRequestRunsTheExitSequence)
{
    // Alt+F4 and the taskbar's "Close" arrive as WM_CLOSE.
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(LastList(), "1\r\nC:\\edited.bmp\r\n");
    EXPECT_FALSE(icon.Present);
    EXPECT_LT(FirstSettingsWrite(), journal.size());
    EXPECT_TRUE(QuitRequested());

    // The taskbar button passes its close on to the main window.
    QuitRequested();
    icon.Present = true;
    SendMessageA(form->TaskbarWindow(), WM_CLOSE, 0, 0);
    PumpUntil([&] { return !icon.Present; });
    EXPECT_FALSE(icon.Present);
}

TEST_F(ExitSequence, TheEndOfTheSessionKeepsTheListAndDropsTheIconWithoutAnyDialog)
{
    registry.RefuseWritesOf("startminimized");
    EXPECT_EQ(SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageA(form->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(LastList(), "1\r\nC:\\edited.bmp\r\n");
    EXPECT_FALSE(icon.Present);
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(ExitSequence, ATiledWallpaperKeepsNoFileBesideItsBitmapAtTheEndOfTheSession)
{
    // Windows ends the process without destructors after the session's end:
    // a file kept beside the bitmap while the program runs would stay.
    const std::string sea = folder / "sea.jpg";
    PutFileBytes(sea, std::string(std::begin(RedBlueJpeg), std::end(RedBlueJpeg)));
    form->Test().listModel.Clear();
    form->Test().listModel.Add({sea});
    form->Test().listModel.Select(0);
    // A tiled picture is converted at its own size, replacing the bitmap.
    form->Test().styleBox->SetItemIndex(1);
    form->onApplyClick(form->Test().applyButton);
    FinishChanges();
    form->onApplyClick(form->Test().applyButton);
    FinishChanges();
    ASSERT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(WriterFilesIn("C:\\windows"), 0);
    SendMessageA(form->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(WriterFilesIn("C:\\windows"), 0);
}

TEST_F(ExitSequence, AChangeStillDrawnWhenTheWindowGoesIsDroppedAndTheArrowComesBack)
{
    const std::string sea = folder / "sea.jpg";
    PutFileBytes(sea, std::string(std::begin(RedBlueJpeg), std::end(RedBlueJpeg)));
    form->Test().listModel.Add({sea});
    form->Test().listModel.Select(0);
    form->Test().styleBox->SetItemIndex(2);
    desktop.WallpaperCalls.clear();
    form->onApplyClick(form->Test().applyButton);
    // Drawn on the worker meanwhile: the window says so and goes on.
    EXPECT_TRUE(form->ChangeBusy());
    EXPECT_EQ(Application->Cursor(), crAppStart);
    form.reset();
    PumpMessages(50);
    EXPECT_TRUE(desktop.WallpaperCalls.empty());
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(Application->Cursor(), crDefault);
    EXPECT_EQ(WriterFilesIn("C:\\windows"), 0);
}
