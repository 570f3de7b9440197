#pragma once
// Adding files and folders to the list without holding up the window: a
// folder tree is read on a worker thread while the window goes on answering
// (its total label tells how far the scan has come), and its pictures join
// the list when the scan ends, in the order they came. One scan runs at a
// time; adds that come meanwhile wait their turn, in order. Items without a
// folder are added at once when no scan runs.
//
// A scan may find a hundred thousand pictures, and the list may hold as
// many: the keys that tell which are listed already (see lists/ListedKeys.h)
// are made for the pictures found on the worker, and for the list's entries
// a few thousand at a time between the window's messages, so the window
// answers throughout. The pictures then join the list in one add.
//
// Nothing is added while the list is locked (automatic change runs): the
// add is refused and told why, whether it comes by drop, by "Add Folder…"
// or from a later start, and so is a scan that ends while the list is
// locked.

#include "framework/Timer.h"
#include "framework/stdctrls/Label.h"
#include "lists/ImageList.h"
#include "lists/ListedKeys.h"
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
    // The list's entries keyed at each step after a scan, and the pause
    // between steps that lets the window's messages in.
    static constexpr size_t KeysPerStep = 5000;
    static constexpr unsigned StepMs = 1;
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
    // Whether a scan's end is still to come (a cancelled one's too), or
    // its pictures have yet to join the list.
    bool Busy() const { return job_ != nullptr; }
    // Stops the scan that runs and drops the adds waiting: none of them
    // adds anything, and the total label shows the list's count again.
    void Cancel();
    // The scan numbered `tag` ended: once the list's keys are made (in
    // steps, see StepTimer), its pictures join the list, what it left out is
    // told, and the next add waiting starts.
    void ScanEnded(WPARAM tag);
    // The progress shown while a scan runs (tests tick it).
    TTimer& ProgressTimer() { return *progressTimer_; }
    // The steps that key the list after a scan (tests tick it).
    TTimer& StepTimer() { return *stepTimer_; }

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
        // The list's rule for keys, a copy for the worker.
        TListModel::TNameKey NameKey;
        TGatheredPictures Result;
        // The pictures found, keyed on the worker.
        TKeyedPaths Ready;
        // Once the scan has ended: the list's own keys, made in steps.
        std::unique_ptr<TListedKeys> Listed;
        // Last: its thread is waited for before the rest goes away.
        std::unique_ptr<TWorkerThread> Thread;
    };

    void StartScan(TRequest request);
    void StartNextWaiting();
    // Keys the next entries of the list; once all are, ends the job.
    void KeyStep();
    // The job ends: the next add waiting starts.
    std::unique_ptr<TScanJob> EndJob();
    void AddScanned(TScanJob& job);
    void ShowProgress();

    TImageList& list_;
    TLabel& totalLabel_;
    BackgroundAddActions actions_;
    TTimer* progressTimer_;
    TTimer* stepTimer_;
    std::unique_ptr<TScanJob> job_;
    std::deque<TRequest> waiting_;
    uint64_t lastTag_ = 0;
};
