#pragma once
// Keeps "LastList.lst" in step with the list while the program runs, so a
// crash or a killed process loses at most the last moments' edits: the list
// is saved a short delay after the last edit, so a run of edits makes one
// save, but never later than a longest wait after the first edit not yet
// saved, so edits that keep coming cannot put the save off for ever. A
// failed save is told once, without a box (nobody asked for it); the next
// change tries again.

#include "framework/Timer.h"

#include <cstdint>
#include <exception>
#include <functional>

class TLastListAutosave {
public:
    static constexpr unsigned DelayMs = 2000;
    static constexpr unsigned LongestWaitMs = 10000;

    // `save` writes the last list; `reportFailure` tells the user of a save
    // that failed, unattended; `clockMs` reads a steady clock in
    // milliseconds (the system's when empty; tests pass their own).
    TLastListAutosave(TComponent* owner, std::function<void()> save,
                      std::function<void(const std::exception&)> reportFailure,
                      std::function<int64_t()> clockMs = {});

    // The list was edited: save it when the delay after this edit ends, or
    // when the longest wait since the first unsaved edit does, if sooner.
    void ListChanged();
    // Whether a save is waiting.
    bool Pending() const { return timer_->Enabled(); }
    // For a save that writes on a worker thread: `save` calls WriteBegan
    // once the write has begun, and the write's end is told to WriteEnded,
    // with its failure if it failed (told as a failed save is).
    void WriteBegan() { writing_ = true; }
    void WriteEnded(const std::exception* failure);
    // The timer that brings the save (tests tick it and read its interval).
    TTimer& Timer() { return *timer_; }

private:
    void Save();

    TTimer* timer_;
    std::function<void()> save_;
    std::function<void(const std::exception&)> reportFailure_;
    std::function<int64_t()> clockMs_;
    // When the first edit not yet saved was made.
    int64_t firstUnsavedMs_ = 0;
    // Failures since the last save that worked have been told of.
    bool failureReported_ = false;
    // The save made last writes on a worker thread: its end tells how it went.
    bool writing_ = false;
};
