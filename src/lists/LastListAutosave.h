#pragma once
// Keeps "LastList.lst" in step with the list while the program runs, so a
// crash or a killed process loses at most the last moment's edits: each
// change (re)starts a short delay, and the list is saved when it ends, so a
// run of edits makes one save. A failed save is told once, without a box
// (nobody asked for it); the next change tries again.

#include "framework/Timer.h"

#include <exception>
#include <functional>

class TLastListAutosave {
public:
    static constexpr unsigned DelayMs = 2000;

    // `save` writes the last list; `reportFailure` tells the user of a save
    // that failed, unattended.
    TLastListAutosave(TComponent* owner, std::function<void()> save,
                      std::function<void(const std::exception&)> reportFailure);

    // The list was edited: save it when the delay ends.
    void ListChanged();
    // Whether a save is waiting.
    bool Pending() const { return timer_->Enabled(); }
    // The delay's timer (tests tick it).
    TTimer& Timer() { return *timer_; }

private:
    void Save();

    TTimer* timer_;
    std::function<void()> save_;
    std::function<void(const std::exception&)> reportFailure_;
    // Failures since the last save that worked have been told of.
    bool failureReported_ = false;
};
