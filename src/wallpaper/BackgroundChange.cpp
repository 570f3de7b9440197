#include "wallpaper/BackgroundChange.h"

#include <utility>

bool TDrawing::Commit()
{
    TState running = TState::Running;
    return state_.compare_exchange_strong(running, TState::Committed) || running == TState::Committed;
}

void TDrawing::Supersede()
{
    TState running = TState::Running;
    state_.compare_exchange_strong(running, TState::Superseded);
}

TBackgroundChange::TBackgroundChange(std::function<HWND()> window, std::function<void(bool busy)> busyChanged,
                                     UINT endedMessage)
    : window_(std::move(window)), busyChanged_(std::move(busyChanged)), endedMessage_(endedMessage)
{
}

TBackgroundChange::~TBackgroundChange()
{
    waiting_.reset();
    if (!running_)
        return;
    running_->Drawing.Abandon();
    if (running_->Thread->EndsWithin(LongestEndWaitMs))
        running_.reset();
    else
        static_cast<void>(running_.release()); // still used by its thread
    if (busyChanged_)
        busyChanged_(false);
}

void TBackgroundChange::Request(TBackgroundJob job)
{
    if (!running_) {
        Start(std::move(job));
        return;
    }
    running_->Drawing.Supersede();
    waiting_ = std::move(job);
}

void TBackgroundChange::DrawingEnded(WPARAM tag)
{
    if (!running_ || running_->Tag != tag)
        return;
    const std::unique_ptr<TRunning> ended = std::move(running_);
    std::exception_ptr error;
    try {
        ended->Thread->Finish();
    } catch (...) {
        error = std::current_exception();
    }
    // The next request starts whatever becomes of this one's end, which
    // may raise to be reported.
    if (waiting_) {
        TBackgroundJob next = std::move(*waiting_);
        waiting_.reset();
        Start(std::move(next));
    } else if (busyChanged_) {
        busyChanged_(false);
    }
    if (!ended->Drawing.Superseded() && ended->Job.Ended)
        ended->Job.Ended(error);
}

void TBackgroundChange::Start(TBackgroundJob job)
{
    auto running = std::make_unique<TRunning>(std::move(job));
    running->Tag = ++lastTag_;
    TRunning* const drawing = running.get();
    running->Thread =
        std::make_unique<TWorkerThread>([drawing] { drawing->Job.Draw(drawing->Drawing); }, window_(),
                                        endedMessage_, static_cast<WPARAM>(running->Tag));
    running_ = std::move(running);
    if (busyChanged_)
        busyChanged_(true);
}
