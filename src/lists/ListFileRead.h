#pragma once
// Reading a list file whole: at once, or on a worker thread for a long file,
// so the window goes on answering while it is read and parsed. Nothing of
// the list changes while the file is read; what was read replaces the list
// only once the read has ended without error.

#include "framework/BusyCursor.h"
#include "lists/FollowedFolders.h"
#include "lists/ListFileStore.h"
#include "platform/WorkerThread.h"

#include <memory>
#include <string>
#include <vector>

// What a list file holds: its entries and the folders the list follows.
struct TListFileContent {
    std::vector<std::string> Entries;
    std::vector<TFollowedFolder> Folders;
};

// Reads the rest of `input`: the count, the entries and the followed
// folders. A count larger than the file's lines gives empty entries for the
// missing lines, up to `maxEntriesPastEnd` entries in all.
TListFileContent ReadListFileContent(TListFileInput& input, size_t maxEntriesPastEnd);

// One list file read on a worker thread. The hourglass shows while it reads.
// When the read ends, `message` is posted to `window` with `tag`; Finish
// then hands over what was read. Destroyed before that, it waits for the
// thread, and nothing is posted any more.
class TListFileRead {
public:
    TListFileRead(std::unique_ptr<TListFileInput> input, size_t maxEntriesPastEnd, HWND window, UINT message,
                  WPARAM tag);
    TListFileRead(const TListFileRead&) = delete;
    TListFileRead& operator=(const TListFileRead&) = delete;

    WPARAM Tag() const { return tag_; }
    // Waits for the read to end and closes the file; returns what was read,
    // or raises what made the read fail.
    TListFileContent Finish();

private:
    const TBusyCursor busy_;
    std::unique_ptr<TListFileInput> input_;
    TListFileContent content_;
    WPARAM tag_;
    // Last: its thread is waited for before the rest goes away.
    std::unique_ptr<TWorkerThread> thread_;
};
