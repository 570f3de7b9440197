#include "lists/LastListAutosave.h"

#include "platform/SystemClock.h"

#include <algorithm>

TLastListAutosave::TLastListAutosave(TComponent* owner, std::function<void()> save,
                                     std::function<void(const std::exception&)> reportFailure,
                                     std::function<int64_t()> clockMs)
    : timer_(new TTimer(owner)), save_(std::move(save)), reportFailure_(std::move(reportFailure)),
      clockMs_(clockMs ? std::move(clockMs) : SteadyMs)
{
    timer_->Name = "lastListSaveTimer";
    timer_->SetEnabled(false);
    timer_->SetInterval(DelayMs);
    timer_->SetOnTimer([this](TObject*) { Save(); });
}

void TLastListAutosave::ListChanged()
{
    const int64_t now = clockMs_();
    if (!Pending())
        firstUnsavedMs_ = now;
    const int64_t due = std::min(now + DelayMs, firstUnsavedMs_ + LongestWaitMs);
    // Off and on again: the wait starts anew from this change. A save
    // already overdue comes at the next turn of the message loop.
    timer_->SetEnabled(false);
    timer_->SetInterval(static_cast<unsigned>(std::max<int64_t>(due - now, 1)));
    timer_->SetEnabled(true);
}

void TLastListAutosave::Save()
{
    // One save per wait; a failure waits for the next change.
    timer_->SetEnabled(false);
    writing_ = false;
    try {
        save_();
        if (!writing_)
            failureReported_ = false;
    } catch (const std::exception& error) {
        WriteEnded(&error);
    }
}

void TLastListAutosave::WriteEnded(const std::exception* failure)
{
    writing_ = false;
    if (!failure) {
        failureReported_ = false;
        return;
    }
    if (failureReported_)
        return;
    failureReported_ = true;
    reportFailure_(*failure);
}
