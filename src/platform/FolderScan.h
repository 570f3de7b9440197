#pragma once
// The picture files of a folder and its subfolders, read from the disk (see
// core/FolderWalk.h for the order and the rules). Names are read wide and
// handed on as UTF-8 paths; only a name with half of a surrogate pair (which
// no text can hold) is left out, and counted.

#include "core/FolderWalk.h"

#include <string>

// The pictures under `folder`; a folder that cannot be read raises
// EInOutError with the system's reason.
TPictureScan ScanPictureFolder(const std::string& folder);

// The file system as the folder walk reads it.
class TDiskFolderReader : public IFolderReader {
public:
    TFolderListing List(const std::string& folder) override;
    std::optional<TFolderIdentity> Identity(const std::string& folder) override;
};
