#include "wallpaper/AutoChange.h"

#include "framework/Application.h"
#include "wallpaper/RotationMath.h"

#include <string>

namespace {

// Sets a flag for the lifetime of the guard.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagGuard() { flag_ = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& flag_;
};

} // namespace

void TAutoChange::Toggle()
{
    view_.Timer.SetEnabled(true);
    UpdateTimerInterval();
    if (running_) {
        view_.StartStopButton.SetCaption("Start");
        SetLocked(false);
        running_ = false;
        return;
    }
    view_.StartStopButton.SetCaption("Stop");
    SetLocked(true);
    running_ = true;
    if (view_.PathList.ItemIndex() < 0)
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

void TAutoChange::Tick()
{
    if (!running_ || reporting_)
        return;
    const int32_t count = view_.PathList.Items().Count();
    if (count == 0)
        return;
    try {
        if (view_.Random.Checked()) {
            currentIndex_ = RandomRotationIndex(actions_.Seed(), count);
        } else {
            rotationPosition_ = NextRotationPosition(rotationPosition_, count);
            currentIndex_ = rotationPosition_;
        }
        actions_.ShowSelectedImage();
        actions_.ApplySelectedWallpaper();
    } catch (const std::exception& error) {
        const std::string file =
            currentIndex_ >= 0 && currentIndex_ < count ? view_.PathList.Items().Strings(currentIndex_) : "";
        if (!actions_.ReportUnattended || !actions_.ReportUnattended(file, error))
            Report(std::current_exception());
    } catch (...) {
        Report(std::current_exception());
    }
}

void TAutoChange::SetLocked(bool locked)
{
    for (TControl* control : view_.Locked)
        control->SetEnabled(!locked);
}

void TAutoChange::Report(std::exception_ptr error)
{
    const TFlagGuard open(reporting_);
    Application->Guarded([&] { std::rethrow_exception(error); });
}
