#pragma once
// Watching a folder and its subfolders for files that come, go or change
// their names (ReadDirectoryChangesW). A thread of the watch's own waits on
// the system without a timeout: while nothing changes it never wakes. What
// it hears is queued, and the window is told by one posted message until
// the queue is taken, so a burst of changes costs one message.

#include "core/FolderChange.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TFolderWatch {
public:
    // Starts watching `folder` (a full path); posts `message` with `tag` as
    // wParam to `window` when changes wait to be taken. A folder that cannot
    // be opened raises EInOutError with the system's reason.
    TFolderWatch(const std::string& folder, HWND window, UINT message, WPARAM tag);
    // Stops the thread and waits for it; nothing is posted after.
    ~TFolderWatch();
    TFolderWatch(const TFolderWatch&) = delete;
    TFolderWatch& operator=(const TFolderWatch&) = delete;

    // The changes heard since the last call, in the order they came.
    std::vector<TFolderChange> TakeChanges();
    // The watch ended by itself: the folder went (after a last Rescan), or
    // it cannot be watched at all (then without one).
    bool Ended() const;

private:
    struct TState;
    static DWORD WINAPI Entry(void* state);
    std::shared_ptr<TState> state_;
    HANDLE thread_ = nullptr;
};
