#pragma once
// Keeping the list in step with the folders it follows. Each followed
// folder is watched (platform/FolderWatch.h); what it hears is applied once
// the folder has been quiet for two seconds, so 500 pictures copied in are
// one update of the list. A one-shot timer is started or restarted by each
// change and stops when it fires: while nothing changes, nothing wakes.
//
// Each folder is read once when it starts being followed (at start, after
// a list is loaded, when the user follows it), on a worker thread, to find
// what changed while nobody watched; and again when the system loses track.
// A folder that is not there (a removable drive, an offline share) keeps its
// entries, marked missing, and is looked for again when a drive arrives,
// when the user selects one of its pictures, or once a minute while any
// folder is missing (never while all are present).
//
// A folder on another computer named by a loaded list is not read or
// watched until the user selects one of its pictures: a list someone sent
// must not make Windows connect to their computer with the user's
// credentials. One the user followed in this session is the user's choice.
//
// Changes of followed folders are applied also while automatic change runs:
// the list is locked then only against the user's own adds.

#include "framework/Timer.h"
#include "lists/EntryFiles.h"
#include "lists/ListModel.h"
#include "platform/FolderScan.h"
#include "platform/FolderWatch.h"
#include "platform/WorkerThread.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFolderFollower {
public:
    // Posted to the window: a watch has changes to take (wParam: its tag),
    // a folder's reading ended (wParam: its tag). The main window's other
    // messages of its own are WM_APP + 1 to WM_APP + 4.
    static constexpr UINT ChangesMessage = WM_APP + 10;
    static constexpr UINT ReadEndedMessage = WM_APP + 11;
    // Posted by the window once its start is over: folders are read from
    // then on, so the start does not share the disk with them.
    static constexpr UINT ReadsAllowedMessage = WM_APP + 12;
    static constexpr unsigned SettleMs = 2000;
    static constexpr unsigned MissingRetryMs = 60000;

    TFolderFollower(TComponent* owner, TListModel& list, IEntryFiles& files, std::function<HWND()> window);
    // Stops the watches and a reading that runs, and waits for their threads.
    ~TFolderFollower();
    TFolderFollower(const TFolderFollower&) = delete;
    TFolderFollower& operator=(const TFolderFollower&) = delete;

    // The user follows `folder`: it is watched and read now, its pictures
    // join the list when the reading ends.
    void Follow(const std::string& folder);
    // The user stops following the folder; its pictures stay as plain entries.
    void StopFollowing(int32_t folder);
    // The user selected `path`: a held folder it lies in is taken up, a
    // missing one looked for.
    void EntrySelected(const std::string& path);
    // A drive arrived: missing folders are looked for.
    void DriveArrived();

    // The window's messages: true when `message` was one of them.
    bool HandleMessage(UINT message, WPARAM tag);

    // What tests tick and look at.
    TTimer& SettleTimer() { return *settleTimer_; }
    TTimer& MissingRetryTimer() { return *retryTimer_; }
    // Whether a reading runs or waits.
    bool Reading() const { return job_ != nullptr || !toRead_.empty(); }
    bool Watching(const std::string& folder) const;

private:
    struct TFollowed {
        std::string Folder;
        std::wstring Key;
        uint64_t Tag = 0;
        std::unique_ptr<TFolderWatch> Watch;
        std::vector<TFolderChange> Pending;
        bool Missing = false;
        // On another computer, named by a loaded list: untouched until the
        // user selects one of its pictures.
        bool Held = false;
    };
    struct TReadJob {
        std::wstring Key;
        uint64_t Tag = 0;
        std::string Folder;
        TScanSignals Signals;
        std::vector<std::string> Pictures;
        bool Complete = false;
        // Last: its thread is waited for before the rest goes away.
        std::unique_ptr<TWorkerThread> Thread;
        ~TReadJob() { Signals.CancelRequested = true; }
    };

    // Brings the followed set in line with the list's folders; a loaded
    // list's (`fromFile`) are all taken up anew.
    void Sync(bool fromFile);
    TFollowed* Find(const std::wstring& key);
    TFollowed* FindTag(uint64_t tag);
    int32_t NumberOf(const TFollowed& followed) const;
    // Watches the folder and reads it; a folder not there is marked missing.
    void TakeUp(TFollowed& followed);
    void MarkMissing(TFollowed& followed);
    void QueueRead(const TFollowed& followed);
    void StartNextRead();
    void ReadEnded(uint64_t tag);
    void ChangesReady(uint64_t tag);
    void ApplyPending();
    void LookForMissing();

    TListModel& list_;
    IEntryFiles& files_;
    std::function<HWND()> window_;
    TTimer* settleTimer_;
    TTimer* retryTimer_;
    std::vector<TFollowed> followed_;
    std::deque<std::wstring> toRead_;
    bool readsAllowed_ = false;
    std::unique_ptr<TReadJob> job_;
    uint64_t lastTag_ = 0;
    TListSubscription loadsFollowed_;
};
