// One copy per session: the mutex that tells a later start, the hand-over to
// the running copy's window (and how it fails: no window, a hung one, one
// the system keeps the message from), and the system's critical-error boxes
// kept off.

#include "platform/SingleInstance.h"
#include "platform/ErrorMode.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>

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

// A window whose thread stops answering, as a hung copy's does.
class HungWindow {
public:
    explicit HungWindow(const char* className)
    {
        HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, className, made] {
            const RunningCopyWindow running(className);
            window = running.window;
            SetEvent(made);
            WaitForSingleObject(release_, INFINITE);
        });
        WaitForSingleObject(made, INFINITE);
        CloseHandle(made);
    }
    ~HungWindow()
    {
        SetEvent(release_);
        thread_.join();
        CloseHandle(release_);
    }
    HWND window = nullptr;

private:
    HANDLE release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread thread_;
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
    const RunningCopyWindow running("TessivoTestRunningCopy");
    ASSERT_NE(running.window, nullptr);
    EXPECT_EQ(HandOverToRunningCopy("TessivoTestRunningCopy", {}), THandOverResult::Delivered);
    PumpWaiting();
    EXPECT_EQ(RunningCopyWindow::Shows(), 1);
}

TEST(SingleInstance, AHandOverThatCannotReachTheRunningCopySaysWhy)
{
    // The lock is held, but no window ever comes.
    EXPECT_EQ(HandOverToRunningCopy("TessivoTestNoSuchWindow", {100, 100, 50}), THandOverResult::NoWindow);

    // The copy runs as administrator: the system drops the message and says
    // so (as SendMessageTimeout does there). Asking again cannot help.
    const RunningCopyWindow elevated("TessivoTestElevatedCopy");
    int sends = 0;
    const auto refusing = [&sends](HWND, UINT, LPARAM, unsigned) -> DWORD {
        ++sends;
        return ERROR_ACCESS_DENIED;
    };
    EXPECT_EQ(HandOverToRunningCopy("TessivoTestElevatedCopy", {100, 60000, 50}, {1, 2}, 7, refusing),
              THandOverResult::Refused);
    EXPECT_EQ(sends, 1);

    // A copy still starting rebuilds its window: the message sent to the
    // first one is dropped with it, and the new one is asked.
    std::optional<RunningCopyWindow> starting;
    starting.emplace("TessivoTestStartingCopy");
    sends = 0;
    const auto rebuilding = [&](HWND, UINT, LPARAM, unsigned) -> DWORD {
        if (++sends > 1)
            return 0;
        starting.emplace("TessivoTestStartingCopy");
        return ERROR_ACCESS_DENIED;
    };
    EXPECT_EQ(HandOverToRunningCopy("TessivoTestStartingCopy", {100, 60000, 50}, {}, 0, rebuilding),
              THandOverResult::Delivered);
    EXPECT_EQ(sends, 2);

    // A copy whose window does not answer is asked again, then given up on.
    const HungWindow hung("TessivoTestHungCopy");
    ASSERT_NE(hung.window, nullptr);
    EXPECT_EQ(HandOverToRunningCopy("TessivoTestHungCopy", {100, 300, 50}), THandOverResult::NotAnswering);
    EXPECT_EQ(SendAnsweredWithin(hung.window, WM_NULL, 0, 50), static_cast<DWORD>(ERROR_TIMEOUT));
}

TEST(ErrorMode, CriticalErrorsComeBackAsErrorsWithoutTheSystemsBox)
{
    const UINT before = SetErrorMode(0);
    FailCriticalErrorsQuietly();
    const UINT mode = SetErrorMode(before);
    EXPECT_EQ(mode & SEM_FAILCRITICALERRORS, static_cast<UINT>(SEM_FAILCRITICALERRORS));
    EXPECT_EQ(mode & SEM_NOOPENFILEERRORBOX, static_cast<UINT>(SEM_NOOPENFILEERRORBOX));
}
