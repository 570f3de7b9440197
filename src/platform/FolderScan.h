#pragma once
// The picture files of a folder and its subfolders, read from the disk (see
// core/FolderWalk.h for the order and the rules). Names are read wide and
// handed on as UTF-8 paths; only a name with half of a surrogate pair (which
// no text can hold) is left out, and counted.

#include "core/FolderWalk.h"

#include <atomic>
#include <string>

// The pictures under `folder`; a folder that cannot be read raises
// EInOutError with the system's reason. With `signals`, as ScanPictures.
TPictureScan ScanPictureFolder(const std::string& folder, TScanSignals* signals = nullptr);

// The file system as the folder walk reads it. With a stop request, a
// listing ends early once the request is made (a folder of a hundred
// thousand files need not be read to its end before a cancel is seen).
class TDiskFolderReader : public IFolderReader {
public:
    explicit TDiskFolderReader(const std::atomic<bool>* stopRequest = nullptr) : stopRequest_(stopRequest) {}
    TFolderListing List(const std::string& folder) override;
    std::optional<TFolderIdentity> Identity(const std::string& folder) override;

private:
    bool StopRequested() const { return stopRequest_ && stopRequest_->load(std::memory_order_relaxed); }

    const std::atomic<bool>* stopRequest_;
};
