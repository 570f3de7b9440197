// How the program ends: the exit sequence in its order, its two failure
// cases, close requests and the end of a Windows session.

#include "FormFixture.h"

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
        form = std::make_unique<TForm1>(nullptr, services);
        journal.clear();
        form->ListBox1->Items().Add("C:\\edited.bmp");
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

TEST_F(ExitSequence, ExitSavesTheListRemovesTheIconWritesTheOptionsThenEnds)
{
    form->CheckStartMinimized->SetChecked(false);
    form->ButtonExit->Click();
    EXPECT_EQ(LastList(), "1\r\nC:\\edited.bmp\r\n");
    ASSERT_LT(Find("icon delete"), journal.size());
    EXPECT_LT(Find("icon delete"), FirstSettingsWrite());
    EXPECT_EQ(
        registry.Value(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", "startminimized").value_or(""),
        "0");
    EXPECT_FALSE(icon.Present);
    EXPECT_TRUE(QuitRequested());
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(ExitSequence, AListThatCannotBeWrittenStopsTheExitWithIconAndOptionsKept)
{
    // A folder where the last list goes: the file cannot be made.
    ASSERT_TRUE(DeleteFileA((folder / "LastList.lst").c_str()));
    ASSERT_TRUE(CreateDirectoryA((folder / "LastList.lst").c_str(), nullptr));
    form->CheckStartMinimized->SetChecked(false);
    Run([&] { form->btnClose->Click(); });
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(Find("icon delete"), journal.size());
    EXPECT_EQ(FirstSettingsWrite(), journal.size());
    EXPECT_EQ(
        registry.Value(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", "startminimized").value_or(""),
        "1");
    EXPECT_TRUE(icon.Present);
    EXPECT_FALSE(QuitRequested());
}

TEST_F(ExitSequence, OptionsThatCannotBeWrittenLeaveTheProgramRunningWithoutItsIcon)
{
    registry.RefuseWritesOf("startminimized");
    Run([&] { form->Exit2->Click(); });
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(LastList(), "1\r\nC:\\edited.bmp\r\n");
    EXPECT_FALSE(icon.Present);
    EXPECT_FALSE(QuitRequested());
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
