// Errors raised inside handlers that Windows calls reach the one error
// handler, with its caption and full-stop rule, and the program goes on.

#include "core/Exceptions.h"
#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "framework/Timer.h"
#include "support/Render.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

const UINT WM_TEST_THROW = WM_APP + 1;
const UINT WM_TEST_ECHO = WM_APP + 2;

class ThrowingControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    void WndProc(TMessage& message) override
    {
        if (message.Msg == WM_TEST_THROW)
            throw EListError::IndexOutOfBounds(static_cast<int>(message.WParam));
        if (message.Msg == WM_TEST_ECHO) {
            message.Result = static_cast<LRESULT>(message.WParam) + 1;
            return;
        }
        TCustomControl::WndProc(message);
    }
};

// Raises an error from every paint.
class FailingPainter : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        throw EInvalidGraphic::UnknownExtension("xyz");
    }
};

class ErrorBarrier : public testing::Test {
protected:
    void SetUp() override { CapturedErrors().clear(); }
    void TearDown() override { CapturedErrors().clear(); }
};

} // namespace

TEST_F(ErrorBarrier, WindowHandlerErrorReachesHandlerAndWindowGoesOn)
{
    TForm form(nullptr);
    auto* control = new ThrowingControl(&form);
    control->SetParent(&form);
    HWND window = control->Handle();

    EXPECT_EQ(SendMessageA(window, WM_TEST_THROW, 7, 0), 0);
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Caption, "Tessivo");
    // The text ends in ")": no full stop is added.
    EXPECT_EQ(CapturedErrors()[0].Text, "List index out of bounds (7)");

    // The window still answers.
    EXPECT_EQ(SendMessageA(window, WM_TEST_ECHO, 41, 0), 42);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(ErrorBarrier, FullStopIsAddedAfterLetters)
{
    Application->Guarded([] { throw EInOutError::FromErrorCode(2); });
    Application->Guarded([] { throw std::runtime_error("plain library error"); });
    ASSERT_EQ(CapturedErrors().size(), 2u);
    EXPECT_EQ(CapturedErrors()[0].Text, "File not found.");
    EXPECT_EQ(CapturedErrors()[1].Text, "plain library error.");
}

TEST_F(ErrorBarrier, FailingTimerTickIsReportedAndTimerKeepsTicking)
{
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(10);
    timer.SetOnTimer([&](TObject*) {
        ++ticks;
        throw EJPEG::FromMessageCode(53);
    });
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    timer.SetEnabled(false);
    ASSERT_GE(CapturedErrors().size(), 3u);
    EXPECT_EQ(CapturedErrors()[0].Text, "JPEG error #53.");
}

TEST_F(ErrorBarrier, DisabledTimerDoesNotTickAndHasNoWindowUntilItRuns)
{
    const auto timerWindows = [] {
        int count = 0;
        for (HWND window = nullptr;
             (window = FindWindowExW(HWND_MESSAGE, window, L"TessivoTimerWindow", nullptr));)
            ++count;
        return count;
    };
    const int before = timerWindows();
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetEnabled(false);
    timer.SetInterval(5);
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    PumpMessages(60);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(timerWindows(), before);
    timer.SetEnabled(true);
    EXPECT_EQ(timerWindows(), before + 1);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 1; }));
}

TEST_F(ErrorBarrier, ErrorWhileTheProgramMakesItsFormsShowsTheErrorBox)
{
    // The run ends at once (a message loop without forms would never end)
    // with an exit code that says so.
    const int exitCode = Application->Run([] { throw EInOutError::FromErrorCode(2); });
    EXPECT_NE(exitCode, 0);
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Caption, "Tessivo");
    EXPECT_EQ(CapturedErrors()[0].Text, "File not found.");
}

TEST_F(ErrorBarrier, TimerTicksWithoutAnApplicationObject)
{
    // Before the application object exists (or after it is gone) a tick is
    // still handled, through the same barrier.
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(5);
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    TApplication* const application = std::exchange(Application, nullptr);
    const DWORD start = GetTickCount();
    MSG msg;
    while (ticks == 0 && GetTickCount() - start < 5000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    Application = application;
    EXPECT_GE(ticks, 1);
}

TEST_F(ErrorBarrier, FailingPaintIsReportedOnceAndGivesItsResourcesBack)
{
    TestForm form;
    auto* control = new FailingPainter(&form);
    control->SetParent(&form);
    control->SetBounds(10, 10, 50, 30);
    InvalidateRect(control->Handle(), nullptr, FALSE);
    UpdateWindow(control->Handle());
    EXPECT_EQ(control->paints, 1);
    ASSERT_EQ(CapturedErrors().size(), 1u);
    // The area is validated (no endless repaint) and the canvas handed back.
    EXPECT_FALSE(GetUpdateRect(control->Handle(), nullptr, FALSE));
    EXPECT_FALSE(control->Canvas().HandleAllocated());
    UpdateWindow(control->Handle());
    EXPECT_EQ(control->paints, 1);
}
