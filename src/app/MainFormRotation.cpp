// The rotation driven by hand and from outside: Next, Previous, Pause and
// Resume (tray menu, command line, hotkeys), the commands a later start
// hands over, and where the rotation stopped, kept across restarts.

#include "app/GlobalHotkeys.h"
#include "app/MainForm.h"
#include "app/OptionsForm.h"
#include "app/SettingsReadBack.h"
#include "core/ChangeSchedule.h"
#include "core/CommandMessage.h"
#include "core/FileNames.h"
#include "core/ScopeExit.h"
#include "framework/Application.h"
#include "platform/SystemClock.h"
#include "wallpaper/RotationMath.h"

#include <exception>
#include <span>

void TMainForm::NextWallpaper()
{
    const int32_t next = ChooseNextPictures();
    if (next < 0)
        return;
    ChangeTo(next);
}

void TMainForm::PreviousWallpaper()
{
    std::vector<int32_t> group =
        rotation_->PreviousGroup(listModel_.Paths(), PicturesPerChange(styleBox->ItemIndex()));
    const size_t count = group.size();
    const int32_t previous = TakePictures(std::move(group), count);
    if (previous >= 0)
        ChangeTo(previous);
}

size_t TMainForm::PicturesPerChange(int styleIndex)
{
    // The option is read only where it can make a difference.
    const size_t monitors = services_.Desktop->Monitors().size();
    if (::PicturesPerChange(styleIndex, monitors, true) == 1)
        return 1;
    return ::PicturesPerChange(styleIndex, monitors,
                               ReadOptions(*services_.Registry).Flag(OptionNames::PerMonitor));
}

int32_t TMainForm::ChooseNextPictures()
{
    size_t fromHistory = 0;
    std::vector<int32_t> group =
        rotation_->NextGroup(listModel_.Paths(), randomBox->Checked(), rotationPosition,
                             PicturesPerChange(styleBox->ItemIndex()), fromHistory);
    return TakePictures(std::move(group), fromHistory);
}

int32_t TMainForm::TakePictures(std::vector<int32_t> group, size_t fromHistory)
{
    chosenOtherMonitors_.reset();
    chosenFromHistory_ = 0;
    if (group.empty())
        return -1;
    chosenOtherMonitors_.emplace(group.begin() + 1, group.end());
    chosenFromHistory_ = fromHistory;
    return group.front();
}

std::vector<std::string> TMainForm::OtherMonitorPaths(int styleIndex)
{
    const std::vector<std::string>& paths = listModel_.Paths();
    std::vector<std::string> others;
    if (const std::optional<std::vector<int32_t>> chosen =
            std::exchange(chosenOtherMonitors_, std::nullopt)) {
        for (const int32_t index : *chosen)
            others.push_back(paths.at(index));
        return others;
    }
    const int32_t selected = listModel_.Selected();
    if (selected < 0 || paths.empty())
        return others;
    for (size_t monitor = 1; monitor < PicturesPerChange(styleIndex); ++monitor)
        others.push_back(paths[(selected + monitor) % paths.size()]);
    return others;
}

void TMainForm::ApplySelectedByHand()
{
    if (WallpaperFitForIndex(styleBox->ItemIndex()))
        RotationFollowsSelected(styleBox->ItemIndex());
    ApplySelectedWallpaper();
}

void TMainForm::RotationFollowsSelected(int styleIndex)
{
    // The pictures the apply puts on the monitors (see OtherMonitorPaths).
    const int32_t selected = listModel_.Selected();
    const int32_t count = listModel_.Count();
    if (selected < 0 || count == 0)
        return;
    std::vector<int32_t> group;
    for (size_t monitor = 0; monitor < PicturesPerChange(styleIndex); ++monitor)
        group.push_back(static_cast<int32_t>((selected + monitor) % static_cast<size_t>(count)));
    rotation_->ShownByHand(listModel_.Paths(), group, rotationPosition);
}

void TMainForm::ChangeTo(int32_t index)
{
    currentIndex = index;
    // The interval counts from this change, whether it works or not; the
    // user's own change is never postponed, and a waiting one is done with.
    autoChange_->ChangedByHand();
    ChangeToCurrent(TChangeOrigin::User);
}

void TMainForm::PauseAutoChange()
{
    autoChange_->Pause();
}

void TMainForm::ResumeAutoChange()
{
    autoChange_->Resume(WaitSinceLastChange());
}

unsigned TMainForm::IntervalMs() const
{
    return RotationPeriodMs(ClampRotationMinutes(intervalEdit->Value()));
}

unsigned TMainForm::WaitSinceLastChange() const
{
    return static_cast<unsigned>(
        MillisecondsUntilNextChange(IntervalMs(), lastChange_, services_.Clock->WallClockMs()));
}

void TMainForm::OnPowerResume()
{
    Application->Guarded([this] { ResumeAfterSleep(); });
}

void TMainForm::OnPowerStatusChange()
{
    Application->Guarded([this] { autoChange_->ConditionsChanged(); });
}

TChangeWait TMainForm::WhyChangeWaits()
{
    // The machine is asked only where an option makes its answer matter.
    const TOptionValues options = ReadOptions(*services_.Registry);
    if (options.Flag(OptionNames::WaitWhileFullScreen) && services_.MachineState->FullScreenProgramRuns())
        return TChangeWait::FullScreen;
    if (!options.Flag(OptionNames::ChangeOnBattery) && services_.MachineState->OnBattery())
        return TChangeWait::MainsPower;
    return TChangeWait::None;
}

void TMainForm::ResumeAfterSleep()
{
    // The timer does not count the sleep the same way everywhere: the next
    // change is due when the interval since the last one ends.
    if (autoChangeRunning && !autoChange_->Paused())
        autoChange_->WaitBeforeNextTick(WaitSinceLastChange());
}

void TMainForm::StartAutoChangeAtLaunch()
{
    // Without a known last change the run starts as a click on "Start" does,
    // but an entry the preview could not show is not applied: nobody is
    // there to be told by a box, and the rotation moves on from it. Nor
    // is it applied while changes have to wait: the first tick waits
    // instead, and makes the change once nothing holds it back.
    if (!lastChange_) {
        const bool waits = WhyChangeWaits() != TChangeWait::None;
        // The preview reads the selected entry off the window's thread:
        // whether it can be shown is known once it is read.
        applyAtLaunchPending_ = !waits && PreviewBusy();
        const std::optional<std::string> selected = SelectedEntry();
        autoChange_->Toggle(selected && !preview_->HasFailed(*selected) && !waits && !applyAtLaunchPending_);
        if (waits)
            autoChange_->Tick();
        return;
    }
    autoChange_->Toggle(false);
    autoChange_->WaitBeforeNextTick(WaitSinceLastChange());
}

void TMainForm::ApplyAtLaunchOnceRead()
{
    if (!std::exchange(applyAtLaunchPending_, false) || !autoChangeRunning)
        return;
    const std::optional<std::string> selected = SelectedEntry();
    if (selected && !preview_->HasFailed(*selected))
        ApplySelectedWallpaper();
}

void TMainForm::NoteShown(const std::string& path, const std::vector<std::string>& others, size_t fromHistory)
{
    if (fromHistory == 0)
        rotation_->Shown(path);
    for (size_t other = 0; other < others.size(); ++other) {
        if (other + 1 >= fromHistory)
            rotation_->Shown(others[other]);
    }
    lastChange_ = services_.Clock->WallClockMs();
    shownName_ = ExtractFileName(path);
    UpdateTrayTip();
    // Kept at once, so a crash or a power cut does not cost the place in the
    // rotation; a refused write is left to the exit, which reports it.
    try {
        WriteRotation();
    } catch (const std::exception&) {
    }
}

void TMainForm::RestoreRotation(const TOptionValues& stored)
{
    const std::vector<std::string>& paths = listModel_.Paths();
    const int32_t position = stored.Number(OptionNames::RotationPosition);
    rotationPosition = position < static_cast<int32_t>(paths.size()) ? position : 0;
    rotation_->Restore(stored.Text(OptionNames::ShuffleDeck), stored.Text(OptionNames::ShownHistory), paths);
    lastChange_ = stored.Time(OptionNames::LastChange);
}

void TMainForm::TakeRotation(TOptionValues& values)
{
    values.SetNumber(OptionNames::RotationPosition, rotationPosition);
    values.Set(OptionNames::ShuffleDeck, rotation_->SavedDeck());
    values.Set(OptionNames::ShownHistory, rotation_->SavedHistory());
    values.Set(OptionNames::LastChange,
               lastChange_ ? std::optional(FormatChangeTime(*lastChange_)) : std::nullopt);
}

void TMainForm::WriteRotation()
{
    TOptionValues values;
    TakeRotation(values);
    WriteOptions(*services_.Registry, values, {TWrittenWhen::AfterEachChange});
}

void TMainForm::HandOverCommands(const std::vector<TCommand>& commands)
{
    if (!commands.empty())
        QueueCommand([this, commands] { CarryOut(commands); });
}

void TMainForm::QueueCommand(std::function<void()> command)
{
    pendingCommands_.push_back(std::move(command));
    ScheduleCommands();
}

void TMainForm::ScheduleCommands()
{
    if (!pendingCommands_.empty() && HandleAllocated())
        PostMessageW(Handle(), RunCommandsMessage, 0, 0);
}

void TMainForm::RunPendingCommands()
{
    // A box or dialog of the program waits for the user: a change of the
    // list or the wallpaper under it would act on what it asks about. The
    // commands wait for it to close (which schedules them again), as they
    // wait for the start's end.
    if (!started_ || runningCommands_ || Application->InModalLoop())
        return;
    runningCommands_ = true;
    const ScopeExit done([this] { runningCommands_ = false; });
    // One by one: a command that opens a box lets more arrive, which go
    // after the ones already waiting.
    while (!pendingCommands_.empty()) {
        const std::function<void()> command = std::move(pendingCommands_.front());
        pendingCommands_.erase(pendingCommands_.begin());
        Application->Guarded(command);
    }
}

void TMainForm::onPauseClick(TObject*)
{
    if (AutoChangePaused())
        ResumeAutoChange();
    else
        PauseAutoChange();
}

void TMainForm::onTrayMenuPopup(TObject*)
{
    pauseMenuItem->SetVisible(autoChangeRunning);
    cancelScanMenuItem->SetVisible(Scanning());
    pauseMenuItem->SetCaption(AutoChangePaused() ? "Resume" : "Pause");
}

void TMainForm::RegisterHotkeys(const THotkeyOptions& options)
{
    const THotkeyProblems problems = hotkeys_->Apply(Handle(), options);
    if (problems.Any())
        throw Exception(HotkeyProblemsText(problems));
}

void TMainForm::ChangeHotkeys(const THotkeyOptions& options)
{
    TOptionValues values = ReadOptions(*services_.Registry);
    SetHotkeyOptions(values, options);
    ChangeOptions(values);
}

void TMainForm::ChangeOptions(const TOptionValues& values)
{
    WriteOptions(*services_.Registry, values, {TWrittenWhen::WhenBoxConfirmed});
    RegisterHotkeys(HotkeyOptionsOf(values));
}

TOptionsForm& TMainForm::OptionsForm()
{
    if (!optionsForm_)
        optionsForm_ = std::make_unique<TOptionsForm>(nullptr, TaskbarWindow());
    return *optionsForm_;
}

void TMainForm::onOptionsClick(TObject*)
{
    if (const std::optional<TOptionValues> chosen = OptionsForm().Edit(ReadOptions(*services_.Registry)))
        ChangeOptions(*chosen);
}
