#include "lists/LastListAutosave.h"

TLastListAutosave::TLastListAutosave(TComponent* owner, std::function<void()> save,
                                     std::function<void(const std::exception&)> reportFailure)
    : timer_(new TTimer(owner)), save_(std::move(save)), reportFailure_(std::move(reportFailure))
{
    timer_->Name = "lastListSaveTimer";
    timer_->SetEnabled(false);
    timer_->SetInterval(DelayMs);
    timer_->SetOnTimer([this](TObject*) { Save(); });
}

void TLastListAutosave::ListChanged()
{
    // Off and on again: the delay starts anew from this change.
    timer_->SetEnabled(false);
    timer_->SetEnabled(true);
}

void TLastListAutosave::Save()
{
    // One save per delay; a failure waits for the next change.
    timer_->SetEnabled(false);
    try {
        save_();
        failureReported_ = false;
    } catch (const std::exception& error) {
        if (failureReported_)
            return;
        failureReported_ = true;
        reportFailure_(error);
    }
}
