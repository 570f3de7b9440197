// Changes drawn on the worker thread: the newest request wins, an error
// reaches the window's thread, and an owner that goes first is told nothing.
#include "wallpaper/BackgroundChange.h"

#include "core/Exceptions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace {

class BackgroundChangeTest : public testing::Test {
protected:
    BackgroundChangeTest()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
    }
    ~BackgroundChangeTest() override { DestroyWindow(window_); }

    std::unique_ptr<TBackgroundChange> MakeChanges()
    {
        return std::make_unique<TBackgroundChange>([this] { return window_; },
                                                   [this](bool busy) { busy_.push_back(busy); });
    }
    // A job that notes when it is drawn and when it is finished; with
    // `holdUntilSuperseded`, its drawing waits until a newer request (or
    // the owner's end) supersedes it.
    TBackgroundJob Job(int number, bool holdUntilSuperseded = false)
    {
        return TBackgroundJob{[this, number, holdUntilSuperseded](TDrawing& drawing) {
                                  for (int wait = 0;
                                       holdUntilSuperseded && !drawing.Superseded() && wait < 10000; ++wait)
                                      Sleep(1);
                                  const std::lock_guard lock(drawnGuard_);
                                  drawn_.push_back(number);
                              },
                              [this, number](std::exception_ptr error) {
                                  ended_.push_back(number);
                                  error_ = error;
                              }};
    }
    // Delivers the drawings' ends, as the window's message loop does.
    void DeliverEnds(TBackgroundChange& changes)
    {
        for (int wait = 0; changes.Busy() && wait < 10000; ++wait) {
            MSG message;
            if (PeekMessageW(&message, window_, TBackgroundChange::DrawingEndedMessage,
                             TBackgroundChange::DrawingEndedMessage, PM_REMOVE))
                changes.DrawingEnded(message.wParam);
            else
                Sleep(1);
        }
    }
    std::vector<int> Drawn()
    {
        const std::lock_guard lock(drawnGuard_);
        return drawn_;
    }

    HWND window_;
    std::mutex drawnGuard_;
    std::vector<int> drawn_;
    std::vector<int> ended_;
    std::vector<bool> busy_;
    std::exception_ptr error_;
};

} // namespace

TEST_F(BackgroundChangeTest, TheNewestRequestSupersedesTheRunningAndTheWaitingOnesAndAloneIsFinished)
{
    const auto changes = MakeChanges();
    changes->Request(Job(1, true));
    changes->Request(Job(2));
    changes->Request(Job(3));
    EXPECT_TRUE(changes->Busy());
    DeliverEnds(*changes);
    // The first was running and let go; the second never started.
    EXPECT_EQ(Drawn(), (std::vector<int>{1, 3}));
    EXPECT_EQ(ended_, std::vector<int>{3});
    EXPECT_FALSE(error_);
    ASSERT_FALSE(busy_.empty());
    EXPECT_FALSE(busy_.back());

    // One after the other, each is finished, in the order asked.
    changes->Request(Job(4));
    DeliverEnds(*changes);
    changes->Request(Job(5));
    DeliverEnds(*changes);
    EXPECT_EQ(ended_, (std::vector<int>{3, 4, 5}));
}

TEST_F(BackgroundChangeTest, AnErrorOfTheDrawingReachesItsEndOnTheWindowsThread)
{
    const auto changes = MakeChanges();
    TBackgroundJob failing = Job(1);
    failing.Draw = [](TDrawing&) { throw Exception("The disk is full"); };
    changes->Request(std::move(failing));
    DeliverEnds(*changes);
    ASSERT_EQ(ended_, std::vector<int>{1});
    ASSERT_TRUE(error_);
    try {
        std::rethrow_exception(error_);
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message, "The disk is full");
    }
}

TEST_F(BackgroundChangeTest, AnOwnerGoneBeforeTheDrawingEndsLetsItGoAndIsToldNothing)
{
    auto changes = MakeChanges();
    changes->Request(Job(1, true));
    changes->Request(Job(2));
    // The window goes while the first is drawn and the second waits: its
    // end waits for the drawing, which is let go, and posts nothing.
    changes.reset();
    EXPECT_EQ(Drawn(), std::vector<int>{1});
    EXPECT_TRUE(ended_.empty());
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, window_, TBackgroundChange::DrawingEndedMessage,
                              TBackgroundChange::DrawingEndedMessage, PM_REMOVE));
    ASSERT_FALSE(busy_.empty());
    EXPECT_FALSE(busy_.back());
}

TEST_F(BackgroundChangeTest, AnOwnerGoneWhileTheDrawingCannotStopWaitsOnlySoLongAndIsToldNothing)
{
    // The drawing has begun the wallpaper call, which a window of another
    // program that does not answer holds.
    const HANDLE answered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> inCall = false, callEnded = false;
    auto changes = MakeChanges();
    changes->LongestEndWaitMs = 200;
    changes->Request(TBackgroundJob{[&](TDrawing& drawing) {
                                        if (drawing.Commit()) {
                                            inCall = true;
                                            WaitForSingleObject(answered, 20000);
                                        }
                                        callEnded = true;
                                    },
                                    [this](std::exception_ptr) { ended_.push_back(1); }});
    for (int wait = 0; !inCall && wait < 10000; ++wait)
        Sleep(1);
    ASSERT_TRUE(inCall);
    const ULONGLONG before = GetTickCount64();
    changes.reset();
    EXPECT_LT(GetTickCount64() - before, 5000U);
    EXPECT_FALSE(callEnded);

    // The call ends later: what the drawing had is still there for it, and
    // nothing reaches the window.
    SetEvent(answered);
    for (int wait = 0; !callEnded && wait < 10000; ++wait)
        Sleep(1);
    EXPECT_TRUE(callEnded);
    Sleep(50);
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, window_, TBackgroundChange::DrawingEndedMessage,
                              TBackgroundChange::DrawingEndedMessage, PM_REMOVE));
    EXPECT_TRUE(ended_.empty());
    CloseHandle(answered);
}
