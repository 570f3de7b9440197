#pragma once
// Automatic changing: "Start"/"Stop" and the timer's tick. While running,
// every tick takes the next entry of the path list (in order, or at random),
// shows it in the preview and applies it as the wallpaper; the options that
// steer the run and the list-editing buttons are locked.

#include "framework/Timer.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/SpinEdit.h"

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

struct AutoChangeView {
    TControl& StartStopButton; // ButtonStartStop: "Start" or "Stop"
    TTimer& Timer;             // TimerAutoChangeWallpaper
    TSpinEdit& Minutes;        // SpinEditTimeInterval
    TCheckBox& Random;         // CheckBoxRandom
    TListBox& PathList;        // ListBox1
    // Disabled while running, in this order; enabled again in the same order.
    std::array<TControl*, 6> Locked;
};

// What a tick does with the entry it chose, and where the random seed comes
// from; the form passes its own operations.
struct AutoChangeActions {
    std::function<void()> ShowSelectedImage;      // shows the entry at CurrentIndex
    std::function<void()> ApplySelectedWallpaper; // applies the path list's selection
    std::function<uint32_t()> Seed;
    // Reports the error of a tick, for the file it was about, without
    // waiting for the user (nobody is there to answer); false when it
    // could not, and the error then comes as a box.
    std::function<bool(const std::string& file, const std::exception& error)> ReportUnattended;
};

class TAutoChange {
public:
    // `running`, `rotationPosition` and `currentIndex` are the form's fields.
    TAutoChange(AutoChangeView view, AutoChangeActions actions, bool& running, int32_t& rotationPosition,
                int32_t& currentIndex)
        : view_(view), actions_(std::move(actions)), running_(running), rotationPosition_(rotationPosition),
          currentIndex_(currentIndex)
    {
    }

    // Starts automatic changing when it is off (locks the options, applies
    // the selected entry at once; with nothing selected, as when the list's
    // first picture could not be shown, the first tick is the first change)
    // and stops it when it is on. The caption,
    // the locks and the running state always change together: a failing
    // apply at start is reported and the run goes on, as after a failing
    // tick.
    void Toggle();

    // The button: stops a run whatever the list holds; starts one only when
    // `entries` (the visible list's count) is not zero.
    void StartStopClick(int entries);

    // Puts the minutes value, held inside 1..1000, into the timer's period.
    void UpdateTimerInterval();

    // One tick of the timer: nothing while stopped, with an empty list, or
    // while the error of an earlier tick is still on screen; otherwise the
    // next entry is shown and applied. An error is reported unattended
    // (naming the entry) and the next tick goes on with the next entry.
    void Tick();

private:
    void SetLocked(bool locked);
    // Shows the error through the application's handler; ticks that arrive
    // while its box is open do nothing, so errors do not pile up.
    void Report(std::exception_ptr error);

    AutoChangeView view_;
    AutoChangeActions actions_;
    bool& running_;
    int32_t& rotationPosition_;
    int32_t& currentIndex_;
    bool reporting_ = false;
};
