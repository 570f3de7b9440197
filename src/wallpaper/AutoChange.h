#pragma once
// Automatic changing: "Start"/"Stop" and the timer's tick. While running,
// every tick takes the rotation's next entry of the list,
// shows it in the preview and applies it as the wallpaper; the options that
// steer the run and the list-editing buttons are locked.
//
// A change that falls due while the machine is busy (a full-screen program,
// battery power; see AutoChangeActions::WhyWait) is postponed, not
// skipped: the timer then asks again once a minute, and the change is made
// as soon as nothing holds it back; the next is due a whole interval later.

#include "framework/Timer.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/SpinEdit.h"

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

// Why a change that is due waits.
enum class TChangeWait {
    None,
    FullScreen, // a full-screen program runs
    MainsPower, // the machine runs on battery and changes there are off
};

struct AutoChangeView {
    TControl& StartStopButton;             // startStopButton: "Start" or "Stop"
    TTimer& Timer;                         // autoChangeTimer
    TSpinEdit& Minutes;                    // intervalEdit
    const std::vector<std::string>& Paths; // the list's entries, in order
    // Disabled while running, in this order; enabled again in the same order.
    std::array<TControl*, 6> Locked;
};

// How a tick chooses its entry and what it does with it; the form passes
// its own operations.
struct AutoChangeActions {
    // Shows the entry at currentIndex and applies it, as a tick's change;
    // the drawing may end after it returns, and its error is then handed
    // to ReportTickError.
    std::function<void()> ChangeToCurrent;
    std::function<void()> ApplySelectedWallpaper; // applies the list's selected entry
    std::function<bool()> HasSelectedEntry;       // whether the list has a selected entry
    // The entry a tick changes to (the rotation's next); -1 for none.
    std::function<int32_t()> ChooseNext;
    // Reports the error of a tick, for the file it was about, without
    // waiting for the user (nobody is there to answer); false when it
    // could not, and the error then comes as a box.
    std::function<bool(const std::string& file, const std::exception& error)> ReportUnattended;
    // Why a change that is due has to wait; empty: it never waits.
    std::function<TChangeWait()> WhyWait;
    // Paused, resumed, stopped, started, waiting or no longer waiting.
    std::function<void()> StateChanged;
};

class TAutoChange {
public:
    // `running` and `currentIndex` are the form's fields.
    TAutoChange(AutoChangeView view, AutoChangeActions actions, bool& running, int32_t& currentIndex)
        : view_(view), actions_(std::move(actions)), running_(running), currentIndex_(currentIndex)
    {
    }

    // Starts automatic changing when it is off (locks the options, applies
    // the selected entry at once; with nothing selected, as when the list's
    // first picture could not be shown, the first tick is the first change)
    // and stops it when it is on. The caption,
    // the locks and the running state always change together: a failing
    // apply at start is reported and the run goes on, as after a failing
    // tick.
    // `applyNow` false starts without the change at once: a run taken up
    // again after a restart waits for what is left of its interval instead.
    void Toggle(bool applyNow = true);

    // The next tick comes `waitMs` from now (at least 1 ms); the ones after
    // it every whole interval again.
    void WaitBeforeNextTick(unsigned waitMs);
    // Pause stops the ticks but keeps the run (its locks and "Stop");
    // Resume lets them come again, the first after `waitMs`.
    void Pause();
    void Resume(unsigned waitMs);
    bool Paused() const { return paused_; }
    // Why the change that is due waits; None while none does.
    TChangeWait Waiting() const { return waiting_; }
    // A change was made by hand (Next, Previous): a change that waited is
    // done with, and the next one is due a whole interval from now.
    void ChangedByHand();
    // Something that can end a wait changed (the power source): a waiting
    // change is asked about again at once.
    void ConditionsChanged();
    // How often a waiting change asks again whether it may be made.
    static constexpr unsigned RecheckMs = 60000;

    // The button: stops a run whatever the list holds; starts one only when
    // `entries` (the visible list's count) is not zero.
    void StartStopClick(int entries);

    // Puts the minutes value, held inside 1..1000, into the timer's period.
    void UpdateTimerInterval();

    // One tick of the timer: nothing while stopped or paused, with an empty list, or
    // while the error of an earlier tick is still on screen; otherwise the
    // next entry is shown and applied. An error is reported unattended
    // (naming the entry) and the next tick goes on with the next entry.
    void Tick();
    // The error of a tick's change, about `file`: reported unattended when
    // it can be, else through the application's handler.
    void ReportTickError(const std::string& file, std::exception_ptr error);

private:
    void SetLocked(bool locked);
    // True when the change that is due waits (and the timer asks again in
    // RecheckMs); a change that waited and may now be made restarts the
    // interval from now.
    bool Postponed();
    void SetWaiting(TChangeWait wait);
    void Tell();
    // Shows the error through the application's handler; ticks that arrive
    // while its box is open do nothing, so errors do not pile up.
    void Report(std::exception_ptr error);

    AutoChangeView view_;
    AutoChangeActions actions_;
    bool& running_;
    int32_t& currentIndex_;
    bool reporting_ = false;
    bool paused_ = false;
    TChangeWait waiting_ = TChangeWait::None;
};
