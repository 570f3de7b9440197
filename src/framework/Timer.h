#pragma once
// A window timer: OnTimer fires every Interval milliseconds while Enabled.
// Ticks arrive through the message loop and pass the exception barrier, so a
// failing tick is reported and the timer goes on.

#include "framework/Component.h"
#include "framework/Object.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned interval);
    void SetOnTimer(TNotifyEvent onTimer);
    const TNotifyEvent& OnTimer() const { return onTimer_; }

    // Runs one tick now, as the platform would (tests use this).
    void Tick();
    // The window that receives the ticks, made at the first need.
    HWND WindowHandle();

private:
    static LRESULT CALLBACK TimerWindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // Starts or stops the platform timer to match the properties; raises
    // "Not enough timers available" when the platform has none left.
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
    HWND window_ = nullptr;
    bool running_ = false;
};
