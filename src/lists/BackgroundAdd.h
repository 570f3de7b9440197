#pragma once
// Adding files and folders to the list without holding up the window: a
// folder tree is read on a worker thread while the window goes on answering
// (its total label tells how far the scan has come), and its pictures join
// the list when the scan ends, in the order they came. One scan runs at a
// time; adds that come meanwhile wait their turn, in order. Items without a
// folder are added at once when no scan runs.
//
// Nothing is added while the list is locked (automatic change runs): the
// add is refused and told why, whether it comes by drop, by "Add Folder…"
// or from a later start, and so is a scan that ends while the list is
// locked.

#include "framework/Timer.h"
#include "framework/stdctrls/Label.h"
#include "lists/ImageList.h"
#include "lists/PictureGathering.h"
#include "platform/WorkerThread.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Who asked: the user's own act is answered with a box; an add handed over
// by a later start runs unattended and is answered without one.
enum class TAddOrigin { User, Unattended };

struct BackgroundAddActions {
    // The window told when a scan ends.
    std::function<HWND()> Window;
    // Whether the list is locked now.
    std::function<bool()> ListLocked;
    // Tells, without a box (a balloon), what an unattended add left out or
    // why an add was refused; false when it could not be told that way.
    std::function<bool(const std::string& text)> TellUnattended;
};

class TBackgroundAdd {
public:
    // Posted by the worker to the window; the window passes its wParam to
    // ScanEnded. The main window's other messages of its own are WM_APP + 1
    // (queued commands) and WM_APP + 2 (the tray icon's events).
    static constexpr UINT ScanEndedMessage = WM_APP + 3;
    static constexpr unsigned ProgressMs = 100;
    static constexpr const char* ListLockedText =
        "The list is locked while automatic change runs: stop it to add pictures";

    TBackgroundAdd(TComponent* owner, TImageList& list, TLabel& totalLabel, BackgroundAddActions actions);
    // Stops a scan that runs and waits for its thread.
    ~TBackgroundAdd();

    // Adds the pictures of `items`, at once or after a scan; an error of
    // an add made at once is raised here.
    void Add(std::vector<std::string> items, TAddOrigin origin);
    // True when the list is locked: the add was refused and told why (in
    // a box, raised here, when only a box can tell the user who asked).
    bool RefusedWhileLocked(TAddOrigin origin);
    // Whether a scan runs (and may be cancelled).
    bool Scanning() const { return job_ && !job_->Signals.CancelRequested; }
    // Whether a scan's end is still to come (a cancelled one's too).
    bool Busy() const { return job_ != nullptr; }
    // Stops the scan that runs and drops the adds waiting: none of them
    // adds anything, and the total label shows the list's count again.
    void Cancel();
    // The scan numbered `tag` ended: its pictures join the list, what it
    // left out is told, and the next add waiting starts.
    void ScanEnded(WPARAM tag);
    // The progress shown while a scan runs (tests tick it).
    TTimer& ProgressTimer() { return *progressTimer_; }

private:
    struct TRequest {
        std::vector<std::string> Items;
        TAddOrigin Origin;
    };
    struct TScanJob {
        explicit TScanJob(TRequest request) : Request(std::move(request)) {}
        ~TScanJob() { Signals.CancelRequested = true; }
        TRequest Request;
        uint64_t Tag = 0;
        TScanSignals Signals;
        TGatheredPictures Result;
        // Last: its thread is waited for before the rest goes away.
        std::unique_ptr<TWorkerThread> Thread;
    };

    void StartScan(TRequest request);
    void StartNextWaiting();
    void AddScanned(TScanJob& job);
    void ShowProgress();

    TImageList& list_;
    TLabel& totalLabel_;
    BackgroundAddActions actions_;
    TTimer* progressTimer_;
    std::unique_ptr<TScanJob> job_;
    std::deque<TRequest> waiting_;
    uint64_t lastTag_ = 0;
};
