#pragma once
// Drawing a wallpaper change without holding up the window: the decode,
// the drawing and the bitmap's write run on a worker thread, and the change
// is finished on the window's thread when a message says the drawing ended.
//
// The newest request wins. One drawing runs at a time; a request made while
// one runs waits, and replaces any request already waiting, which is
// dropped. The running one is told it is superseded (so it leaves its
// bitmap unwritten where it still can) and its end is dropped too: only the
// newest request's end is finished, so nothing a user no longer wants
// reaches the desktop, and what does reach it comes in the order asked. A
// drawing that has begun what it cannot take back (it commits, see
// TDrawing) is no longer superseded: its end is finished, and the newer
// request starts after it.
// When the owner goes, the running drawing is superseded and its thread
// waited for; nothing reaches a window that is gone.

#include "platform/WorkerThread.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

// What a drawing sees of its request while it runs on the worker thread.
class TDrawing {
public:
    // A newer request came (or the owner goes): what the drawing still does
    // is dropped, so it stops where it can.
    bool Superseded() const { return state_ == TState::Superseded; }
    // The drawing is about to do what it cannot take back: from here on no
    // newer request supersedes it, and its end is finished. False when it
    // was superseded first; it then stops.
    bool Commit();
    // Supersedes the drawing unless it committed.
    void Supersede();
    // The owner goes: superseded whatever it did (nothing is finished).
    void Abandon() { state_ = TState::Superseded; }

private:
    enum class TState { Running, Superseded, Committed };
    std::atomic<TState> state_ = TState::Running;
};

struct TBackgroundJob {
    // Runs on the worker thread. What it raises is handed to Ended.
    std::function<void(TDrawing& drawing)> Draw;
    // Runs on the window's thread after Draw, unless the request was
    // superseded meanwhile; `error` is what Draw raised, if anything. It may
    // raise in turn (the message's handler reports it).
    std::function<void(std::exception_ptr error)> Ended;
};

class TBackgroundChange {
public:
    // Posted by the worker to the window; the window passes its wParam to
    // DrawingEnded. The main window's other messages of its own are
    // WM_APP + 1 to WM_APP + 3.
    static constexpr UINT DrawingEndedMessage = WM_APP + 4;

    // `window` is the window told when a drawing ends, by `endedMessage`;
    // `busyChanged` hears when drawing starts and when nothing is left to
    // draw.
    TBackgroundChange(std::function<HWND()> window, std::function<void(bool busy)> busyChanged,
                      UINT endedMessage = DrawingEndedMessage);
    // Waits for a running drawing to stop, but at most LongestEndWaitMs: a
    // drawing that cannot stop by then is in a call it cannot leave (the
    // wallpaper call held by another program's window that does not
    // answer), and the program's end must not wait on another program. Its
    // state is then left to its thread, which ends with the process.
    ~TBackgroundChange();
    DWORD LongestEndWaitMs = 5000;
    TBackgroundChange(const TBackgroundChange&) = delete;
    TBackgroundChange& operator=(const TBackgroundChange&) = delete;

    // Asks for `job`: at once when nothing draws, else after the running
    // drawing, which it supersedes, as it does a request still waiting.
    void Request(TBackgroundJob job);
    // The drawing numbered `tag` ended: the next request waiting starts,
    // then this one's end is finished unless it was superseded.
    void DrawingEnded(WPARAM tag);
    // Whether a drawing runs or waits.
    bool Busy() const { return running_ != nullptr; }

private:
    struct TRunning {
        explicit TRunning(TBackgroundJob job) : Job(std::move(job)) {}
        ~TRunning() { Drawing.Abandon(); }
        TBackgroundJob Job;
        uint64_t Tag = 0;
        TDrawing Drawing;
        // Last: its thread is waited for before the rest goes away.
        std::unique_ptr<TWorkerThread> Thread;
    };

    void Start(TBackgroundJob job);

    std::function<HWND()> window_;
    std::function<void(bool)> busyChanged_;
    UINT endedMessage_;
    std::unique_ptr<TRunning> running_;
    std::optional<TBackgroundJob> waiting_;
    uint64_t lastTag_ = 0;
};
