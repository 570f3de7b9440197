#include "wallpaper/AutoChange.h"

#include "core/ScopeExit.h"
#include "framework/Application.h"
#include "wallpaper/RotationMath.h"

#include <string>
#include <utility>

void TAutoChange::Toggle(bool applyNow)
{
    paused_ = false;
    waiting_ = TChangeWait::None;
    UpdateTimerInterval();
    // Stopped, nothing falls due: the timer rests, so the program does not
    // wake in the tray.
    view_.Timer.SetEnabled(!running_);
    if (running_) {
        view_.StartStopButton.SetCaption("Start");
        SetLocked(false);
        running_ = false;
        Tell();
        return;
    }
    view_.StartStopButton.SetCaption("Stop");
    SetLocked(true);
    running_ = true;
    Tell();
    if (!applyNow || !actions_.HasSelectedEntry())
        return;
    try {
        actions_.ApplySelectedWallpaper();
    } catch (...) {
        Report(std::current_exception());
    }
}

void TAutoChange::StartStopClick(int entries)
{
    if (running_ || entries > 0)
        Toggle();
}

void TAutoChange::UpdateTimerInterval()
{
    const int minutes = ClampRotationMinutes(view_.Minutes.Value());
    // The field shows the minutes the run really uses.
    const std::string text = std::to_string(minutes);
    if (view_.Minutes.Text() != text)
        view_.Minutes.SetText(text);
    view_.Timer.SetInterval(RotationPeriodMs(minutes));
}

void TAutoChange::WaitBeforeNextTick(unsigned waitMs)
{
    // Stopped and started again, so the wait counts from now even when the
    // period is the same.
    view_.Timer.SetEnabled(false);
    view_.Timer.SetInterval(waitMs > 0 ? waitMs : 1);
    view_.Timer.SetEnabled(true);
}

void TAutoChange::Pause()
{
    if (!running_ || paused_)
        return;
    // A waiting change waits for Resume instead, which asks again.
    paused_ = true;
    waiting_ = TChangeWait::None;
    Tell();
}

void TAutoChange::Resume(unsigned waitMs)
{
    if (!running_ || !paused_)
        return;
    paused_ = false;
    WaitBeforeNextTick(waitMs);
    Tell();
}

void TAutoChange::ChangedByHand()
{
    if (!running_ || paused_)
        return;
    SetWaiting(TChangeWait::None);
    WaitBeforeNextTick(RotationPeriodMs(view_.Minutes.Value()));
}

void TAutoChange::ConditionsChanged()
{
    if (waiting_ != TChangeWait::None)
        Tick();
}

void TAutoChange::Tick()
{
    if (!running_ || paused_ || reporting_)
        return;
    // A first period shortened by WaitBeforeNextTick is over.
    UpdateTimerInterval();
    const auto count = static_cast<int32_t>(view_.Paths.size());
    if (count == 0 || Postponed())
        return;
    try {
        const int32_t next = actions_.ChooseNext();
        if (next < 0)
            return;
        currentIndex_ = next;
        actions_.ChangeToCurrent();
    } catch (...) {
        const std::string file = currentIndex_ >= 0 && currentIndex_ < count
                                     ? view_.Paths[static_cast<size_t>(currentIndex_)]
                                     : "";
        ReportTickError(file, std::current_exception());
    }
}

void TAutoChange::ReportTickError(const std::string& file, std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& reported) {
        if (actions_.ReportUnattended && actions_.ReportUnattended(file, reported))
            return;
    } catch (...) {
    }
    Report(error);
}

bool TAutoChange::Postponed()
{
    const TChangeWait wait = actions_.WhyWait ? actions_.WhyWait() : TChangeWait::None;
    const bool waited = waiting_ != TChangeWait::None;
    SetWaiting(wait);
    if (wait != TChangeWait::None) {
        WaitBeforeNextTick(RecheckMs);
        return true;
    }
    // Made now, maybe between two of the timer's ticks: the interval counts
    // from this change, as from any other.
    if (waited)
        WaitBeforeNextTick(RotationPeriodMs(view_.Minutes.Value()));
    return false;
}

void TAutoChange::SetWaiting(TChangeWait wait)
{
    if (std::exchange(waiting_, wait) != wait)
        Tell();
}

void TAutoChange::Tell()
{
    if (actions_.StateChanged)
        actions_.StateChanged();
}

void TAutoChange::SetLocked(bool locked)
{
    for (TControl* control : view_.Locked)
        control->SetEnabled(!locked);
}

void TAutoChange::Report(std::exception_ptr error)
{
    reporting_ = true;
    const ScopeExit closed([this] { reporting_ = false; });
    Application->Guarded([&] { std::rethrow_exception(error); });
}
