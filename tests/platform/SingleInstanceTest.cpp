// One copy per session: the mutex that tells a later start, the hand-over to
// the running copy's window, and the system's critical-error boxes kept off.

#include "platform/SingleInstance.h"
#include "platform/ErrorMode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A top-level window of its own class that counts the hand-over messages.
class RunningCopyWindow {
public:
    explicit RunningCopyWindow(const char* className)
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        Shows() = 0;
    }
    ~RunningCopyWindow() { DestroyWindow(window); }
    static int& Shows()
    {
        static int shows = 0;
        return shows;
    }
    HWND window;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == ShowRunningCopyMessage())
            ++Shows();
        return DefWindowProcA(window, msg, wParam, lParam);
    }
};

void PumpWaiting()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

} // namespace

TEST(SingleInstance, OnlyTheFirstHolderOfTheNameIsFirstWhileItRuns)
{
    const std::string name = "Local\\Tessivo.Test." + std::to_string(GetCurrentProcessId());
    {
        const TSingleInstance first(name);
        EXPECT_TRUE(first.First());
        const TSingleInstance second(name);
        EXPECT_FALSE(second.First());
    }
    // Both gone (the first copy ended): the next start is first again.
    const TSingleInstance next(name);
    EXPECT_TRUE(next.First());
}

TEST(SingleInstance, ALaterStartAsksTheRunningCopysWindowToShow)
{
    EXPECT_FALSE(HandOverToRunningCopy("TessivoTestNoSuchWindow", 100));
    const RunningCopyWindow running("TessivoTestRunningCopy");
    ASSERT_NE(running.window, nullptr);
    EXPECT_TRUE(HandOverToRunningCopy("TessivoTestRunningCopy", 0));
    PumpWaiting();
    EXPECT_EQ(RunningCopyWindow::Shows(), 1);
}

TEST(ErrorMode, CriticalErrorsComeBackAsErrorsWithoutTheSystemsBox)
{
    const UINT before = SetErrorMode(0);
    FailCriticalErrorsQuietly();
    const UINT mode = SetErrorMode(before);
    EXPECT_EQ(mode & SEM_FAILCRITICALERRORS, static_cast<UINT>(SEM_FAILCRITICALERRORS));
    EXPECT_EQ(mode & SEM_NOOPENFILEERRORBOX, static_cast<UINT>(SEM_NOOPENFILEERRORBOX));
}
