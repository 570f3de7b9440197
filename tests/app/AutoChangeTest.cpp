// "Start"/"Stop" and the rotation timer on a hidden main form, driven by the
// timer's own WM_TIMER messages; a fake desktop records what was applied.

#include "FormFixture.h"
#include "platform/WideText.h"
#include "wallpaper/JpegToBitmap.h"
#include "wallpaper/SampleJpegs.h"

#include <cstdio>

namespace {

// Records the controls that receive WM_ENABLE, in order, while it lives.
class EnableRecorder {
public:
    EnableRecorder()
    {
        Current = this;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &Hook, nullptr, GetCurrentThreadId());
    }
    ~EnableRecorder()
    {
        UnhookWindowsHookEx(hook_);
        Current = nullptr;
    }
    std::vector<std::pair<HWND, bool>> Changes;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_ENABLE && Current)
            Current->Changes.emplace_back(call->hwnd, call->wParam != 0);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline EnableRecorder* Current = nullptr;
    HHOOK hook_;
};

} // namespace

class AutoChange : public FormFixture {
protected:
    // Tiled, so that each wallpaper call names the entry the tick applied;
    // a form made anew in a test reads the same style.
    void SetUp() override
    {
        FormFixture::SetUp();
        registry.SetValue(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", "style", "1");
        form->Test().styleBox->SetItemIndex(1);
    }
    // Three bitmaps in the list, the first one shown and selected.
    std::vector<std::string> ThreeEntries()
    {
        std::vector<std::string> files = {MakeBitmap("a.bmp", 4, 4), MakeBitmap("b.bmp", 4, 4),
                                          MakeBitmap("c.bmp", 4, 4)};
        Add(files);
        return files;
    }
    std::vector<std::string> Applied() const { return desktop.WallpaperCalls; }
    bool Locked() const
    {
        for (TControl* control : LockedControls())
            if (control->Enabled())
                return false;
        return true;
    }
    std::vector<TControl*> LockedControls() const
    {
        return {form->Test().randomBox, form->Test().styleBox,     form->Test().intervalEdit,
                form->Test().addButton, form->Test().deleteButton, form->Test().newListButton};
    }
};

TEST_F(AutoChange, SequentialTicksAfterAFreshStartApplyTheNextEntriesAndAStopKeepsThePlace)
{
    const auto files = ThreeEntries();
    ClickStartStop();
    EXPECT_EQ(form->Test().startStopButton->Caption(), "Stop");
    EXPECT_TRUE(form->Test().autoChangeRunning);
    // The start applies the selected entry at once; the ticks go on from the
    // rotation's own place: entries 1, 2, 0, 1.
    for (int i = 0; i < 4; ++i)
        TimerMessage();
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[0], files[1], files[2], files[0], files[1]}));
    EXPECT_EQ(form->Test().currentIndex, 1);
    EXPECT_EQ(form->Test().listModel.Selected(), 1);
    EXPECT_EQ(form->Test().nameLabel->Caption(), "b.bmp");

    // A click on another entry does not move the rotation.
    form->Test().nameList->SetItemIndex(0);
    form->onNameListClick(form->Test().nameList);
    ClickStartStop();
    EXPECT_EQ(form->Test().startStopButton->Caption(), "Start");
    TimerMessage(); // stopped: nothing happens
    ClickStartStop();
    TimerMessage();
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[0], files[1], files[2], files[0], files[1], files[0],
                                                   files[2]}));
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(AutoChange, RandomModeWithOneEntryAppliesItEveryTick)
{
    const std::string only = MakeBitmap("only.bmp", 4, 4);
    Add({only});
    form->Test().randomBox->SetChecked(true);
    ClickStartStop();
    for (int i = 0; i < 3; ++i)
        TimerMessage();
    EXPECT_EQ(Applied(), std::vector<std::string>(4, only));
    EXPECT_EQ(form->Test().currentIndex, 0);
}

TEST_F(AutoChange, RandomModeOnlyPicksEntriesOfTheList)
{
    const auto files = ThreeEntries();
    form->Test().randomBox->SetChecked(true);
    ClickStartStop();
    for (int i = 0; i < 30; ++i)
        TimerMessage();
    ASSERT_EQ(Applied().size(), 31u);
    for (const std::string& applied : Applied())
        EXPECT_NE(std::find(files.begin(), files.end(), applied), files.end()) << applied;
    EXPECT_EQ(form->Test().rotationPosition, 0); // only sequential ticks move it
}

TEST_F(AutoChange, StartLocksTheSixOptionsInOrderAndStopUnlocksThemInTheSameOrder)
{
    ThreeEntries();
    std::vector<HWND> handles;
    for (TControl* control : LockedControls())
        handles.push_back(static_cast<TWinControl*>(control)->Handle());
    const auto changesOf = [&](const EnableRecorder& recorder, bool enabled) {
        std::vector<HWND> order;
        for (const auto& [window, state] : recorder.Changes)
            if (state == enabled && std::find(handles.begin(), handles.end(), window) != handles.end())
                order.push_back(window);
        return order;
    };
    {
        EnableRecorder recorder;
        ClickStartStop();
        EXPECT_EQ(changesOf(recorder, false), handles);
    }
    EXPECT_TRUE(Locked());
    EXPECT_TRUE(form->Test().loadListButton->Enabled());
    EXPECT_TRUE(form->Test().startStopButton->Enabled());
    {
        EnableRecorder recorder;
        ClickStartStop();
        EXPECT_EQ(changesOf(recorder, true), handles);
    }
    for (TControl* control : LockedControls())
        EXPECT_TRUE(control->Enabled()) << control->Name;
}

TEST_F(AutoChange, StartWithAnEmptyListDoesNothing)
{
    ClickStartStop();
    EXPECT_EQ(form->Test().startStopButton->Caption(), "Start");
    EXPECT_FALSE(form->Test().autoChangeRunning);
    EXPECT_FALSE(Locked());
    EXPECT_FALSE(form->Test().autoChangeTimer->Enabled());
}

TEST_F(AutoChange, TheTimerWaitsTheChosenMinutesHeldInsideOneToAThousand)
{
    ThreeEntries();
    const std::pair<const char*, unsigned> cases[] = {{"5", 300000u},      {"0", 60000u},
                                                      {"-3", 60000u},      {"abc", 60000u},
                                                      {"5000", 60000000u}, {"1000", 60000000u}};
    for (const auto& [text, period] : cases) {
        form->Test().intervalEdit->SetText(text);
        ClickStartStop();
        EXPECT_TRUE(form->Test().autoChangeTimer->Enabled()) << text;
        EXPECT_EQ(form->Test().autoChangeTimer->Interval(), period) << text;
        // The field shows the minutes the run uses.
        EXPECT_EQ(form->Test().intervalEdit->Text(), std::to_string(period / 60000)) << text;
        ClickStartStop();
        // Stopped: nothing is due, so no tick wakes the program.
        EXPECT_FALSE(form->Test().autoChangeTimer->Enabled()) << text;
    }
}

TEST_F(AutoChange, AnEmptiedListMakesTicksDoNothingAndTheButtonStillStops)
{
    ThreeEntries();
    ClickStartStop();
    const std::string empty = folder / "empty.lst";
    FILE* file = std::fopen(empty.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("0\r\n", file);
    std::fclose(file);
    openDialog.files = {empty};
    Run([&] { form->onLoadListClick(form->Test().loadListButton); });
    ASSERT_EQ(form->Test().listModel.Count(), 0);
    const size_t applied = Applied().size();
    TimerMessage();
    TimerMessage();
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(Applied().size(), applied);
    ClickStartStop();
    EXPECT_EQ(form->Test().startStopButton->Caption(), "Start");
    EXPECT_FALSE(form->Test().autoChangeRunning);
    EXPECT_FALSE(Locked());
}

TEST_F(AutoChange, AMissingFileOnATickIsABalloonNamingItAndTheRunGoesOn)
{
    const auto files = ThreeEntries();
    ASSERT_TRUE(DeleteFileA(files[1].c_str()));
    ClickStartStop();
    TimerMessage();
    // Nobody may be there to close a box: the icon tells, and waits for no one.
    EXPECT_TRUE(CapturedErrors().empty());
    // The other changes of the icon are its tip, naming each picture shown.
    auto balloons = notifyIcon.Sent(NIM_MODIFY);
    std::erase_if(balloons, [](const auto& request) { return (request.Data.uFlags & NIF_INFO) == 0; });
    ASSERT_EQ(balloons.size(), 1u);
    const NOTIFYICONDATAW& balloon = balloons[0].Data;
    EXPECT_GE(balloon.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE));
    EXPECT_EQ(balloon.dwInfoFlags, static_cast<DWORD>(NIIF_ERROR));
    const std::string info = Utf8FromWide(balloon.szInfo);
    EXPECT_NE(info.find(files[1]), std::string::npos) << info;
    EXPECT_EQ(Utf8FromWide(balloon.szInfoTitle), "Tessivo");
    EXPECT_EQ(form->Test().startStopButton->Caption(), "Stop");
    TimerMessage();
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[0], files[2]}));
}

TEST_F(AutoChange, AnErrorRaisedWhileDrawingIsABalloonForATickAndABoxForNextByHand)
{
    // Read on the worker thread: the error comes back from there.
    const std::string broken = folder / "broken.jpg";
    PutFileBytes(broken, "\xFF\xD8\xFF\xE0 not really a picture");
    ThreeEntries();
    Add({broken});
    const auto balloons = [this] {
        auto sent = notifyIcon.Sent(NIM_MODIFY);
        std::erase_if(sent, [](const auto& request) { return (request.Data.uFlags & NIF_INFO) == 0; });
        return sent;
    };
    form->Test().nameList->SetItemIndex(0);
    form->onNameListClick(form->Test().nameList);
    ClickStartStop();
    // Four ticks go once round the list of four.
    for (int tick = 0; tick < 4; ++tick)
        TimerMessage();
    EXPECT_TRUE(CapturedErrors().empty());
    ASSERT_EQ(balloons().size(), 1u);
    EXPECT_NE(Utf8FromWide(balloons()[0].Data.szInfo).find(broken), std::string::npos);

    // Next by hand: the user's own act, a box; the preview says why, in place.
    ClickStartStop();
    for (int press = 0; press < 4 && CapturedErrors().empty(); ++press) {
        form->NextWallpaper();
        FinishChanges();
    }
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text.rfind("JPEG error #", 0), 0u) << CapturedErrors()[0].Text;
    EXPECT_EQ(balloons().size(), 1u);
    EXPECT_EQ(form->Test().nameLabel->Caption(), "broken.jpg");
    EXPECT_EQ(form->PreviewFailure().rfind("JPEG error #", 0), 0u) << form->PreviewFailure();
}

TEST_F(AutoChange, APictureNotAJpegIsReadWithItsChangeAndItsFailureToldAsBefore)
{
    const std::string broken = folder / "broken.png";
    PutFileBytes(broken, "\x89PNG\r\n\x1A\n not really a picture");
    const auto files = ThreeEntries();
    Add({broken});
    const auto balloons = [this] {
        auto sent = notifyIcon.Sent(NIM_MODIFY);
        std::erase_if(sent, [](const auto& request) { return (request.Data.uFlags & NIF_INFO) == 0; });
        return sent.size();
    };
    // Next by hand reaches it: read on the worker, so Next returns at once;
    // its failure is the user's own act, a box, and the preview says why.
    form->Test().rotationPosition = 2;
    Run([&] { form->NextWallpaper(); });
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_TRUE(form->ChangeBusy());
    FinishChanges();
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text, form->PreviewFailure());
    EXPECT_EQ(form->Test().nameLabel->Caption(), "broken.png");
    EXPECT_TRUE(form->Test().nameList->RowGreyed(3));
    EXPECT_TRUE(Applied().empty());
    // A tick that reaches it: a balloon, no box, nothing applied.
    form->Test().nameList->SetItemIndex(0);
    form->onNameListClick(form->Test().nameList);
    FinishPreviews();
    ClickStartStop();
    form->Test().rotationPosition = 2;
    TimerMessage();
    EXPECT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(balloons(), 1u);
    EXPECT_EQ(Applied(), std::vector<std::string>{files[0]});
}

TEST_F(AutoChange, APictureNotAJpegSupersededOrLeftByAClosingWindowIsNeverShown)
{
    const std::string broken = folder / "broken.png";
    PutFileBytes(broken, "\x89PNG\r\n\x1A\n not really a picture");
    const auto files = ThreeEntries();
    Add({broken});
    // Next reaches it, and Next again before it was read: only the second
    // is shown and applied; the first is neither told nor greyed.
    form->Test().rotationPosition = 2;
    Run([&] { form->NextWallpaper(); });
    Run([&] { form->NextWallpaper(); });
    FinishChanges();
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(form->Test().nameLabel->Caption(), "a.bmp");
    EXPECT_EQ(form->PreviewFailure(), "");
    EXPECT_FALSE(form->Test().nameList->RowGreyed(3));
    EXPECT_EQ(Applied(), std::vector<std::string>{files[0]});

    // A window that closes while it is read: nothing of it reaches anyone.
    PutFileBytes(folder / "LastList.lst", "2\r\n" + files[0] + "\r\n" + broken + "\r\n");
    {
        TMainForm second(nullptr, Services());
        FinishPreviews(second);
        Run([&] { second.NextWallpaper(); });
    }
    Application->ProcessMessages();
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_FALSE(form->Test().nameList->RowGreyed(3));
}

TEST_F(AutoChange, WithoutTheIconATicksErrorIsABoxAndTicksWhileItIsOpenDoNothing)
{
    const auto files = ThreeEntries();
    ASSERT_TRUE(DeleteFileA(files[1].c_str()));
    ClickStartStop();
    // No icon to show a balloon from: the error comes as a box, naming the file.
    notifyIcon.Present = false;
    // While the box is open, the timer goes on ticking.
    int boxes = 0;
    const auto keep = Application->OnShowError;
    Application->OnShowError = [&](const std::string& caption, const std::string& text) {
        ++boxes;
        keep(caption, text);
        for (int i = 0; i < 5; ++i)
            TimerMessage();
    };
    TimerMessage();
    Application->OnShowError = keep;
    EXPECT_EQ(boxes, 1);
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_NE(CapturedErrors()[0].Text.find(files[1]), std::string::npos) << CapturedErrors()[0].Text;
    EXPECT_EQ(form->Test().currentIndex, 1);
    EXPECT_EQ(Applied(), std::vector<std::string>{files[0]});
    // Once it is closed, the next tick goes on.
    TimerMessage();
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[0], files[2]}));
}

TEST_F(AutoChange, AFailingApplyAtStartIsReportedAndTheRunStillStarts)
{
    const auto files = ThreeEntries();
    // The desktop's style cannot be written: the apply fails.
    registry.RefuseWritesOf("WallpaperStyle");
    ClickStartStop();
    // What the user just did: a box, not a balloon.
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_TRUE(notifyIcon.Sent(NIM_MODIFY).empty());
    // Caption, locks and state agree: running.
    EXPECT_TRUE(form->Test().autoChangeRunning);
    EXPECT_EQ(form->Test().startStopButton->Caption(), "Stop");
    EXPECT_TRUE(Locked());
}

TEST_F(AutoChange, AStartWithNothingSelectedLeavesTheFirstChangeToTheFirstTick)
{
    // As after a start whose first picture could not be shown: no entry is
    // selected, and no "List index out of bounds (-1)" follows.
    const auto files = ThreeEntries();
    form->Test().listModel.Select(-1);
    ClickStartStop();
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_TRUE(form->Test().autoChangeRunning);
    EXPECT_TRUE(Applied().empty());
    TimerMessage();
    EXPECT_EQ(Applied(), std::vector<std::string>{files[1]});
}

TEST_F(AutoChange, AJpegTickShowsAndAppliesTheSamePictureAsShowingAndConvertingIt)
{
    const std::string sea = folder / "sea.jpg";
    const std::string bands = folder / "bands.jpg"; // yellow over black
    PutFileBytes(sea, std::string(std::begin(RedBlueJpeg), std::end(RedBlueJpeg)));
    PutFileBytes(bands, std::string(std::begin(YellowOverBlackJpeg), std::end(YellowOverBlackJpeg)));
    // A monitor of the picture's own size: Tile's preview shows it once.
    desktop.Screens = {{0, 0, 5, 4}};
    Add({sea, bands});
    ClickStartStop();
    TimerMessage();
    ASSERT_TRUE(CapturedErrors().empty());
    const std::string wallpaper = "C:\\windows\\MyWallpaper.bmp";
    EXPECT_EQ(desktop.WallpaperCalls.back(), wallpaper);
    const std::string applied = FileBytes(wallpaper);
    ConvertJpegToBitmap(bands, folder / "converted.bmp");
    EXPECT_EQ(applied, FileBytes(folder / "converted.bmp"));

    // The preview the tick made from its decode, top row and bottom row...
    ASSERT_NE(form->PreviewBitmap(), nullptr);
    const int width = form->PreviewBitmap()->Width(), height = form->PreviewBitmap()->Height();
    const auto rowColour = [&](int y) {
        const uint8_t* pixel = form->PreviewBitmap()->ScanLine(y) + 3 * (width / 2);
        return std::vector<int>{pixel[0], pixel[1], pixel[2]};
    };
    const std::vector<int> top = rowColour(0), bottom = rowColour(height - 1);
    const std::string sizeText = form->Test().sizeLabel->Caption();
    EXPECT_GT(top[2], 200); // yellow: red and green, no blue
    EXPECT_GT(top[1], 200);
    EXPECT_LT(top[0], 60);
    EXPECT_LT(bottom[2], 60);
    // ...is the ordinary preview of the same entry.
    form->ShowSelectedImage();
    FinishPreviews();
    ASSERT_EQ(width, form->PreviewBitmap()->Width());
    ASSERT_EQ(height, form->PreviewBitmap()->Height());
    EXPECT_EQ(sizeText, form->Test().sizeLabel->Caption());
    EXPECT_EQ(top, rowColour(0));
    EXPECT_EQ(bottom, rowColour(height - 1));
}

TEST_F(AutoChange, APictureClickedWhileAChangeReadsAnotherStaysShownWhenTheChangeEnds)
{
    const std::string sea = folder / "sea.jpg", bands = folder / "bands.jpg";
    PutFileBytes(sea, std::string(std::begin(RedBlueJpeg), std::end(RedBlueJpeg)));
    PutFileBytes(bands, std::string(std::begin(YellowOverBlackJpeg), std::end(YellowOverBlackJpeg)));
    Add({sea, bands});
    // Next reads bands with its change; sea is clicked after it, and read
    // first: the change still applies bands, but its preview, asked for
    // before the click, is not shown over sea.
    Run([&] { form->NextWallpaper(); });
    form->Test().nameList->SetItemIndex(0);
    form->onNameListClick(form->Test().nameList);
    FinishPreviews();
    FinishChanges();
    EXPECT_EQ(form->Test().nameLabel->Caption(), "sea.jpg");
    EXPECT_EQ(form->Test().listModel.Selected(), 0);
    EXPECT_EQ(Applied(), std::vector<std::string>{"C:\\windows\\MyWallpaper.bmp"});
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(AutoChange, AnAutomaticStartWhoseFirstPictureIsMissingSaysSoInThePreviewWithoutABox)
{
    const std::string gone = folder / "gone.bmp";
    const std::string there = MakeBitmap("there.bmp", 4, 4);
    PutFileBytes(folder / "LastList.lst", "2\r\n" + gone + "\r\n" + there + "\r\n");
    registry.SetValue(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", "startinautorunmode", "1");
    form.reset();
    CapturedErrors().clear();
    form = std::make_unique<TMainForm>(nullptr, Services());
    FinishPreviews();
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_NE(form->PreviewFailure().find(gone), std::string::npos) << form->PreviewFailure();
    EXPECT_TRUE(form->Test().autoChangeRunning);
    TimerMessage();
    EXPECT_EQ(Applied(), std::vector<std::string>{there});
}

TEST_F(AutoChange, AnAutomaticStartWhoseFirstPictureIsCorruptSaysSoInThePreviewWithoutABox)
{
    const std::string broken = folder / "broken.jpg";
    PutFileBytes(broken, "\xFF\xD8\xFF\xE0 not really a picture");
    const std::string there = MakeBitmap("there.bmp", 4, 4);
    PutFileBytes(folder / "LastList.lst", "2\r\n" + broken + "\r\n" + there + "\r\n");
    registry.SetValue(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", "startinautorunmode", "1");
    form.reset();
    CapturedErrors().clear();
    form = std::make_unique<TMainForm>(nullptr, Services());
    FinishPreviews();
    EXPECT_TRUE(CapturedErrors().empty());
    EXPECT_EQ(form->Test().nameLabel->Caption(), "broken.jpg");
    EXPECT_EQ(form->PreviewFailure().rfind("JPEG error #", 0), 0u) << form->PreviewFailure();
    EXPECT_TRUE(form->Test().autoChangeRunning);
}

class PostponedChange : public AutoChange {
protected:
    // Five minutes between changes, so the once-a-minute asking while a
    // change waits shows in the timer.
    void SetUp() override
    {
        AutoChange::SetUp();
        form->Test().intervalEdit->SetText("5");
    }
    void PowerStatusChanged()
    {
        SendMessageW(form->Handle(), WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
        FinishChanges();
    }
    void Store(const char* name, const char* value)
    {
        registry.SetValue(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", name, value);
    }
    unsigned Interval() const { return form->Test().autoChangeTimer->Interval(); }
};

TEST_F(PostponedChange, AChangeDueWhileAFullScreenProgramRunsWaitsAndIsMadeWhenItEnds)
{
    const auto files = ThreeEntries();
    ClickStartStop();
    machine.FullScreen = true;
    clock.wallMs += 300000;
    TimerMessage();
    TimerMessage(); // asked again a minute later: still running
    EXPECT_EQ(Applied(), std::vector<std::string>{files[0]});
    EXPECT_EQ(form->AutoChangeWaiting(), TChangeWait::FullScreen);
    EXPECT_EQ(Interval(), TAutoChange::RecheckMs);
    EXPECT_EQ(form->Test().rotationPosition, 0); // the rotation did not move

    // A change of the power source asks again at once, but the program
    // still runs.
    PowerStatusChanged();
    EXPECT_EQ(Applied().size(), 1u);
    machine.FullScreen = false;
    clock.wallMs += 60000;
    TimerMessage();
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[0], files[1]}));
    EXPECT_EQ(form->AutoChangeWaiting(), TChangeWait::None);
    // The next change is a whole interval after this one.
    EXPECT_EQ(Interval(), 300000u);
    EXPECT_EQ(form->LastChange(), clock.wallMs);
    EXPECT_TRUE(CapturedErrors().empty());
}

TEST_F(PostponedChange, OnBatteryWithChangesThereOffTheChangeWaitsForMainsPower)
{
    const auto files = ThreeEntries();
    Store("changeonbattery", "0");
    ClickStartStop();
    machine.Battery = true;
    TimerMessage();
    EXPECT_EQ(Applied().size(), 1u);
    EXPECT_EQ(form->AutoChangeWaiting(), TChangeWait::MainsPower);
    EXPECT_EQ(Interval(), TAutoChange::RecheckMs);
    // Plugged in: made when Windows tells, not a minute later.
    machine.Battery = false;
    PowerStatusChanged();
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[0], files[1]}));
    EXPECT_EQ(Interval(), 300000u);
    // Without a change waiting, the power source changes nothing.
    PowerStatusChanged();
    EXPECT_EQ(Applied().size(), 2u);
}

TEST_F(PostponedChange, WithTheOptionsAtTheirDefaultsOnBatteryOrWithTheWaitOffChangesComeAsBefore)
{
    const auto files = ThreeEntries();
    ClickStartStop();
    machine.Battery = true;
    TimerMessage();
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[0], files[1]}));
    EXPECT_EQ(machine.BatteryQueries, 0);
    Store("waitfullscreen", "0");
    machine.FullScreen = true;
    const int asked = machine.FullScreenQueries;
    TimerMessage();
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[0], files[1], files[2]}));
    EXPECT_EQ(machine.FullScreenQueries, asked);
    EXPECT_EQ(form->AutoChangeWaiting(), TChangeWait::None);
}

TEST_F(PostponedChange, NextAndPreviousWhileAChangeWaitsChangeAtOnceAndEndTheWait)
{
    const auto files = ThreeEntries();
    ClickStartStop();
    machine.FullScreen = true;
    TimerMessage();
    ASSERT_EQ(form->AutoChangeWaiting(), TChangeWait::FullScreen);
    form->NextWallpaper();
    FinishChanges();
    EXPECT_EQ(Applied(), (std::vector<std::string>{files[0], files[1]}));
    EXPECT_EQ(form->AutoChangeWaiting(), TChangeWait::None);
    EXPECT_EQ(Interval(), 300000u);
    form->PreviousWallpaper();
    FinishChanges();
    EXPECT_EQ(Applied().back(), files[0]);
    // The next one due waits again; "/next" from a later start does not.
    TimerMessage();
    EXPECT_EQ(Applied().size(), 3u);
    EXPECT_EQ(form->AutoChangeWaiting(), TChangeWait::FullScreen);
    form->CarryOut({{TCommandKind::Next, {}}});
    FinishChanges();
    EXPECT_EQ(Applied().back(), files[1]);
    EXPECT_EQ(form->AutoChangeWaiting(), TChangeWait::None);
}

TEST_F(PostponedChange, AnAutomaticStartWhileAFullScreenProgramRunsWaitsForItsFirstChange)
{
    const auto files = ThreeEntries();
    form->SaveLastList();
    Store("startinautorunmode", "1");
    machine.FullScreen = true;
    form.reset();
    form = std::make_unique<TMainForm>(nullptr, Services());
    EXPECT_TRUE(form->Test().autoChangeRunning);
    EXPECT_EQ(form->AutoChangeWaiting(), TChangeWait::FullScreen);
    EXPECT_TRUE(Applied().empty());
    machine.FullScreen = false;
    TimerMessage();
    EXPECT_EQ(Applied(), std::vector<std::string>{files[1]});
}
