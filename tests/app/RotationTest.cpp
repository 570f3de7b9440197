// Next, Previous, Pause and the shuffled deck on a hidden main form, the
// commands a later start hands over, and where the rotation stopped, kept
// in the (fake) registry across a restart.

#include "FormFixture.h"
#include "app/AboutForm.h"
#include "app/GlobalHotkeys.h"
#include "app/OptionsForm.h"
#include "core/CommandMessage.h"
#include "framework/ModalForm.h"
#include "support/ModalScript.h"

#include <algorithm>
#include <map>

namespace {

const char* const Key = "\\Software\\Tessivo";

} // namespace

class Rotation : public FormFixture {
protected:
    // Tiled, so that each wallpaper call names the entry applied.
    void SetUp() override
    {
        FormFixture::SetUp();
        registry.SetValue(TRegistryRoot::CurrentUser, Key, "style", "1");
        form->Test().styleBox->SetItemIndex(1);
    }
    std::vector<std::string> ThreeEntries()
    {
        std::vector<std::string> files = {MakeBitmap("a.bmp", 4, 4), MakeBitmap("b.bmp", 4, 4),
                                          MakeBitmap("c.bmp", 4, 4)};
        Add(files);
        return files;
    }
    // The form made again on the same registry and last list, as a restart.
    void Restart()
    {
        form->SaveLastList();
        form->WriteSettings();
        form.reset();
        form = std::make_unique<TMainForm>(nullptr, Services());
        FinishPreviews();
    }
    // Next, Previous and Apply as one act each, waited for.
    void Next()
    {
        form->NextWallpaper();
        FinishChanges();
    }
    void Previous()
    {
        form->PreviousWallpaper();
        FinishChanges();
    }
    void Apply()
    {
        form->onApplyClick(form->Test().applyButton);
        FinishChanges();
    }
    std::vector<std::string> Applied() const { return desktop.WallpaperCalls; }
    void OptionsFormFor(const THotkeyOptions& options)
    {
        TOptionValues values;
        SetHotkeyOptions(values, options);
        form->OptionsForm().ShowOptions(values);
    }
    LRESULT SendCommands(uint32_t tag, const std::vector<uint8_t>& bytes)
    {
        COPYDATASTRUCT data{tag, static_cast<DWORD>(bytes.size()), const_cast<uint8_t*>(bytes.data())};
        const LRESULT answer = SendMessageW(form->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
        Application->ProcessMessages();
        FinishChanges();
        return answer;
    }
};

TEST_F(Rotation, NextAndPreviousWalkTheShownPicturesThenTheRotationGoesOn)
{
    const auto files = ThreeEntries();
    Apply();
    Next();
    Next();
    Previous();
    Previous();
    Previous(); // at the oldest: nothing
    Next();
    Next();
    Next(); // past the newest: the rotation's next
    const auto& [a, b, c] = std::tie(files[0], files[1], files[2]);
    EXPECT_EQ(Applied(), (std::vector<std::string>{a, b, c, b, a, b, c, a}));
    EXPECT_EQ(form->Test().nameLabel->Caption(), "a.bmp");
    // The tray tip names the picture on the desktop.
    const auto tips = notifyIcon.Sent(NIM_MODIFY);
    ASSERT_FALSE(tips.empty());
    EXPECT_EQ(std::wstring(tips.back().Data.szTip), L"Tessivo - a.bmp");
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(Rotation, NextAndTheNextTickInListOrderGoOnFromThePictureAppliedByHand)
{
    std::vector<std::string> files;
    for (const char* name : {"0.bmp", "1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp", "6.bmp", "7.bmp"})
        files.push_back(MakeBitmap(name, 4, 4));
    Add(files);
    ClickStartStop();
    TimerMessage();
    const auto select = [this](int index) {
        form->Test().nameList->SetItemIndex(index);
        form->onNameListClick(form->Test().nameList);
    };
    select(5);
    Apply();
    // Kept at once, as after any change.
    EXPECT_EQ(ReadOptions(registry).Number("rotationposition"), 5);
    Next();
    select(5);
    form->onNameListDoubleClick(form->Test().nameList);
    FinishChanges();
    TimerMessage();
    EXPECT_EQ(Applied(),
              (std::vector<std::string>{files[0], files[1], files[5], files[6], files[5], files[6]}));
    EXPECT_EQ(form->Test().rotationPosition, 6);
    // Previous goes back through what was really shown.
    Previous();
    EXPECT_EQ(Applied().back(), files[5]);
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(Rotation, AQuickBurstOfNextsPutsOnlyTheLastOnTheDesktopAndTheRotationCountsEveryPress)
{
    const auto files = ThreeEntries();
    Apply();
    // Five presses before the first is drawn: the rotation moves five
    // times, and the pictures passed over never reach the desktop.
    for (int press = 0; press < 5; ++press)
        form->NextWallpaper();
    FinishChanges();
    EXPECT_EQ(form->Test().rotationPosition, 2);
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[0], files[2]}));
    EXPECT_EQ(form->Test().nameLabel->Caption(), "c.bmp");
    // Nor are they among the pictures really shown: Previous goes back to
    // the one before the burst.
    Previous();
    EXPECT_EQ(Applied().back(), files[0]);
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(Rotation, AShuffledRunShowsEveryPictureOnceADeckNeverTwiceInARowAndGoesOnAfterARestart)
{
    const auto files = ThreeEntries();
    form->Test().randomBox->SetChecked(true);
    ClickStartStop();
    desktop.WallpaperCalls.clear();
    for (int i = 0; i < 4; ++i)
        TimerMessage();
    std::vector<std::string> shown = Applied();

    Restart();
    ClickStartStop(); // its own apply at once is not part of the deck
    desktop.WallpaperCalls.clear();
    for (int i = 0; i < 5; ++i)
        TimerMessage();
    const std::vector<std::string> afterRestart = Applied();
    shown.insert(shown.end(), afterRestart.begin(), afterRestart.end());

    ASSERT_EQ(shown.size(), 9u);
    for (size_t deck = 0; deck < 3; ++deck) {
        std::vector<std::string> dealt(shown.begin() + deck * 3, shown.begin() + deck * 3 + 3);
        std::sort(dealt.begin(), dealt.end());
        EXPECT_EQ(dealt, files) << "deck " << deck;
    }
    EXPECT_EQ(std::adjacent_find(shown.begin(), shown.end()), shown.end());
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(Rotation, EachChangeIsKeptAtOnceSoARunEndedWithoutItsExitCarriesOn)
{
    ThreeEntries();
    ClickStartStop();
    TimerMessage();
    TimerMessage();
    // No exit sequence: the registry holds what a killed run leaves.
    const TOptionValues kept = ReadOptions(registry);
    EXPECT_EQ(kept.Number("rotationposition"), form->Test().rotationPosition);
    EXPECT_NE(kept.Number("rotationposition"), 0);
    EXPECT_TRUE(kept.Time("lastchange").has_value());
    EXPECT_FALSE(kept.Text("shownhistory").empty());
}

TEST_F(Rotation, AnAutomaticStartWaitsWhatIsLeftOfTheIntervalSinceTheLastChange)
{
    const auto files = ThreeEntries();
    form->SaveLastList();
    registry.SetValue(TRegistryRoot::CurrentUser, Key, "startinautorunmode", "1");
    registry.SetValue(TRegistryRoot::CurrentUser, Key, "lastchange", std::to_string(clock.wallMs - 40000));
    form.reset();
    form = std::make_unique<TMainForm>(nullptr, Services());
    FinishPreviews();
    EXPECT_TRUE(form->Test().autoChangeRunning);
    EXPECT_EQ(form->Test().autoChangeTimer->Interval(), 20000u);
    EXPECT_TRUE(Applied().empty());
    TimerMessage();
    EXPECT_EQ(Applied().size(), 1u);
    EXPECT_EQ(form->Test().autoChangeTimer->Interval(), 60000u);

    // Woken 50 s after that change: 10 s are left.
    clock.wallMs += 50000;
    SendMessageW(form->Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_EQ(form->Test().autoChangeTimer->Interval(), 10000u);
    // Next restarts the whole interval from its change.
    Next();
    EXPECT_EQ(form->Test().autoChangeTimer->Interval(), 60000u);

    // Overdue after a long sleep: at once.
    clock.wallMs += 600000;
    SendMessageW(form->Handle(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    EXPECT_EQ(form->Test().autoChangeTimer->Interval(), 1u);
}

TEST_F(Rotation, PauseStopsTheTicksWithinTheRunAndTheMenuOffersResume)
{
    ThreeEntries();
    TMenuItem* pause = form->Test().pauseMenuItem;
    form->onTrayMenuPopup(form->Test().trayMenu);
    EXPECT_FALSE(pause->Visible());
    ClickStartStop();
    pause->Click();
    form->onTrayMenuPopup(form->Test().trayMenu);
    EXPECT_TRUE(pause->Visible());
    EXPECT_EQ(pause->Caption(), "Resume");
    const size_t before = Applied().size();
    TimerMessage();
    EXPECT_EQ(Applied().size(), before);
    EXPECT_TRUE(form->Test().autoChangeRunning);
    EXPECT_EQ(form->Test().startStopButton->Caption(), "Stop");
    pause->Click();
    form->onTrayMenuPopup(form->Test().trayMenu);
    EXPECT_EQ(pause->Caption(), "Pause");
    TimerMessage();
    EXPECT_EQ(Applied().size(), before + 1);
}

TEST_F(Rotation, ALaterStartsCommandsAreCarriedOutAndHostileMessagesRefused)
{
    const auto files = ThreeEntries();
    EXPECT_EQ(SendCommands(CommandMessageTag, EncodeCommandMessage({{TCommandKind::Next, {}}})), TRUE);
    EXPECT_EQ(Applied(), std::vector<std::string>{files[1]});

    std::vector<uint8_t> cut = EncodeCommandMessage({{TCommandKind::Next, {}}});
    cut.pop_back();
    EXPECT_EQ(SendCommands(CommandMessageTag, cut), FALSE);
    EXPECT_EQ(SendCommands(0x1234, EncodeCommandMessage({{TCommandKind::Next, {}}})), FALSE);
    EXPECT_EQ(SendCommands(CommandMessageTag, {}), FALSE);
    EXPECT_EQ(Applied().size(), 1u);

    // /add: a folder's pictures with its subfolders', in name order, and a
    // file named on its own; a missing path is told after the rest is added.
    const std::string tree = folder / "tree";
    CreateDirectoryA(tree.c_str(), nullptr);
    CreateDirectoryA((tree + "\\sub").c_str(), nullptr);
    for (const char* name : {"tree\\Z.bmp", "tree\\m.BMP", "tree\\notes.txt", "tree\\sub\\a.bmp"})
        MakeBitmap(name, 2, 2);
    const std::string single = MakeBitmap("single.bmp", 2, 2);
    const std::string missing = folder / "missing";
    EXPECT_EQ(
        SendCommands(CommandMessageTag, EncodeCommandMessage({{TCommandKind::Add, {tree, single, missing}}})),
        TRUE);
    FinishScan();
    std::vector<std::string> expected = files;
    for (const std::string& added : {tree + "\\m.BMP", tree + "\\Z.bmp", tree + "\\sub\\a.bmp", single})
        expected.push_back(added);
    EXPECT_EQ(Paths(), expected);
    EXPECT_EQ(Names().size(), expected.size());
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text.rfind(missing + "\n", 0), 0u) << CapturedErrors()[0].Text;
}

TEST_F(Rotation, OneCombinationForTwoActionsIsRefusedByTheBoxAndToldAsOursNotAnotherPrograms)
{
    THotkeyOptions options;
    options.Enabled = true;
    TOptionsForm& box = form->OptionsForm();
    OptionsFormFor(options);
    box.pauseHotkeyBox->SetItemIndex(box.pauseHotkeyBox->Items().IndexOf("Ctrl+Alt+Shift+Right"));
    const std::string sameTwice = "\"Next wallpaper\" and \"Pause / Resume\" have the same hotkey, "
                                  "Ctrl+Alt+Shift+Right: choose another for one of them.";
    Run([&] { box.okButton->OnClick(box.okButton); });
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text, sameTwice);
    EXPECT_EQ(box.ModalResult(), mrNone); // the box stays open
    // With the hotkeys off, the same choice is no clash.
    box.hotkeysBox->SetChecked(false);
    Run([&] { box.okButton->OnClick(box.okButton); });
    EXPECT_EQ(box.ModalResult(), mrOk);
    EXPECT_EQ(CapturedErrors().size(), 1u);

    // The same two set in the registry by hand, and another program holds
    // Previous: each is told for what it is, and Next still works.
    options.Pause = options.Next;
    hotkeys.Taken.insert({7, 0x25}); // Ctrl+Alt+Shift+Left
    Run([&] { form->ChangeHotkeys(options); });
    ASSERT_EQ(CapturedErrors().size(), 2u);
    EXPECT_EQ(CapturedErrors()[1].Text,
              "The hotkey Ctrl+Alt+Shift+Left is already in use by another program.\n" + sameTwice);
    EXPECT_EQ(hotkeys.Held, (std::map<int, std::pair<unsigned, unsigned>>{{1, {7, 0x27}}}));
}

TEST_F(Rotation, EachStoredValueOfTheRotationStandsAlone)
{
    const std::map<std::string, std::string> bad = {
        {"rotationposition", "-3"}, {"lastchange", "soon"}, {"shuffledeck", ""}, {"shownhistory", ""}};
    for (const auto& [name, value] : bad) {
        for (const bool wrongType : {false, true}) {
            SCOPED_TRACE(name);
            TFakeRegistry stored;
            stored.SetValue(TRegistryRoot::CurrentUser, Key, "rotationposition", "2");
            stored.SetValue(TRegistryRoot::CurrentUser, Key, "lastchange", "1234");
            stored.SetValue(TRegistryRoot::CurrentUser, Key, "shuffledeck", "1:3:-1:2,1,0");
            if (wrongType)
                stored.SetNonStringValue(TRegistryRoot::CurrentUser, Key, name);
            else
                stored.SetValue(TRegistryRoot::CurrentUser, Key, name, value);
            const TOptionValues state = ReadOptions(stored);
            EXPECT_EQ(state.Number("rotationposition"), name == "rotationposition" ? 0 : 2);
            EXPECT_EQ(state.Time("lastchange"),
                      name == "lastchange" ? std::nullopt : std::optional<int64_t>(1234));
            EXPECT_EQ(state.Text("shuffledeck"), name == "shuffledeck" ? "" : "1:3:-1:2,1,0");
        }
    }
}

TEST_F(Rotation, HotkeysAreOffByDefaultAndATakenOneIsToldOnceWhileTheOthersWork)
{
    const auto files = ThreeEntries();
    EXPECT_TRUE(hotkeys.Held.empty());
    Apply();

    hotkeys.Taken.insert({7, 0x27}); // Ctrl+Alt+Shift+Right
    THotkeyOptions options;
    options.Enabled = true;
    Run([&] { form->ChangeHotkeys(options); });
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text,
              "The hotkey Ctrl+Alt+Shift+Right is already in use by another program.");
    EXPECT_EQ(hotkeys.Held.size(), 2u);
    EXPECT_EQ(registry.Value(TRegistryRoot::CurrentUser, Key, "hotkeynext"), "Ctrl+Alt+Shift+Right");

    // Another combination for Next, chosen in the options box.
    OptionsFormFor(options);
    form->OptionsForm().nextHotkeyBox->SetItemIndex(
        form->OptionsForm().nextHotkeyBox->Items().IndexOf("Ctrl+Alt+Shift+N"));
    Run([&] { form->ChangeHotkeys(HotkeyOptionsOf(form->OptionsForm().Chosen())); });
    EXPECT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(hotkeys.Held.at(1), (std::pair<unsigned, unsigned>{7, 'N'}));
    SendMessageW(form->Handle(), WM_HOTKEY, 1, 0);
    Application->ProcessMessages();
    FinishChanges();
    SendMessageW(form->Handle(), WM_HOTKEY, 2, 0);
    Application->ProcessMessages();
    FinishChanges();
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[0], files[1], files[0]}));

    // A restart reads them back; turned off, none is held.
    Restart();
    EXPECT_EQ(hotkeys.Held.size(), 3u);
    options.Enabled = false;
    form->ChangeHotkeys(options);
    EXPECT_TRUE(hotkeys.Held.empty());
}

namespace {

// A notification area whose first add lets a later start's commands in, as
// a start that waits for the shell does: sent messages are delivered while
// it waits.
class CommandsWhileAdding : public TFakeNotifyIcon {
public:
    bool Notify(DWORD message, NOTIFYICONDATAW& data) override
    {
        if (message == NIM_ADD && !sent) {
            sent = true;
            const std::vector<uint8_t> next = EncodeCommandMessage({{TCommandKind::Next, {}}});
            COPYDATASTRUCT copy{CommandMessageTag, static_cast<DWORD>(next.size()),
                                const_cast<uint8_t*>(next.data())};
            answer = SendMessageW(data.hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
            SendMessageW(data.hWnd, WM_HOTKEY, 1, 0);
            Application->ProcessMessages();
        }
        return TFakeNotifyIcon::Notify(message, data);
    }
    bool sent = false;
    LRESULT answer = FALSE;
};

} // namespace

TEST_F(Rotation, CommandsAndHotkeysWaitForOpenBoxesAndTheEndOfTheStart)
{
    const auto files = ThreeEntries();
    const auto next = EncodeCommandMessage({{TCommandKind::Next, {}}});
    // A question box: a command and a hotkey arrive while it is open. The
    // command is taken at once (the later start does not wait) and both are
    // carried out, in order, once it closes.
    size_t appliedWhileOpen = 99;
    LRESULT answer = FALSE;
    HWND box = nullptr;
    TickScript script(20);
    script.Then([&] {
        box = FindWindowA("#32770", "Tessivo");
        if (!box)
            return false;
        COPYDATASTRUCT data{CommandMessageTag, static_cast<DWORD>(next.size()),
                            const_cast<uint8_t*>(next.data())};
        answer = SendMessageW(form->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
        SendMessageW(form->Handle(), WM_HOTKEY, 1, 0);
        return true;
    });
    // A tick later: the box's loop has handled what was posted meanwhile.
    script.Then([&] {
        appliedWhileOpen = Applied().size();
        PostMessageA(box, WM_COMMAND, IDNO, 0);
        return true;
    });
    script.Start();
    Application->Ask("Go on?", MB_YESNO);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(answer, TRUE);
    EXPECT_EQ(appliedWhileOpen, 0u);
    Application->ProcessMessages();
    FinishChanges();
    // Both in order, one after the other: the rotation moved for each, and
    // the hotkey's change, asked last, superseded the command's before it
    // was drawn.
    EXPECT_EQ(form->Test().rotationPosition, 2);
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[2]}));

    // The About box: the same.
    TAboutForm about(nullptr, form.get(), form->TaskbarWindow());
    form->SetAboutForm(&about);
    TTimer closer(nullptr);
    closer.SetInterval(10);
    closer.SetOnTimer([&](TObject*) {
        closer.SetEnabled(false);
        SendCommands(CommandMessageTag, next);
        appliedWhileOpen = Applied().size();
        about.closeButton->Click();
    });
    closer.SetEnabled(true);
    form->onAboutClick(nullptr);
    form->SetAboutForm(nullptr);
    EXPECT_EQ(appliedWhileOpen, 1u);
    Application->ProcessMessages();
    FinishChanges();
    EXPECT_EQ(Applied().size(), 2u);
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(Rotation, CommandsThatArriveDuringTheStartWaitForTheRotationToBeRestored)
{
    const auto files = ThreeEntries();
    form->WriteSettings();
    form->SaveLastList();
    registry.SetValue(TRegistryRoot::CurrentUser, Key, "rotationposition", "2");
    form.reset();
    desktop.WallpaperCalls.clear();
    CommandsWhileAdding icon;
    PlatformServices services = Services();
    services.NotifyIcon = &icon;
    form = std::make_unique<TMainForm>(nullptr, services);
    FinishPreviews();
    ASSERT_TRUE(icon.sent);
    EXPECT_EQ(icon.answer, TRUE);
    EXPECT_TRUE(Applied().empty());
    Application->ProcessMessages();
    FinishChanges();
    // Carried out on the restored list and rotation: the command and the
    // hotkey each take the next entry after the third, where it stopped;
    // the hotkey's, asked last, is the one drawn.
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[1]}));
    EXPECT_EQ(form->Test().rotationPosition, 1);
    form.reset();
}
