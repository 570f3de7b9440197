#pragma once
// What a watched folder tells of a file or folder inside it.
//
// Portable: no Windows header.

#include <string>

enum class TFolderChangeKind {
    Added,       // a file or folder came (created, copied or moved in)
    Removed,     // one went (deleted or moved out)
    RenamedFrom, // the old name of a rename; RenamedTo follows with the new
    RenamedTo,
    // The system lost track (its buffer overflowed) or the watch ended (the
    // folder went): only reading the folder again tells what is there.
    Rescan,
};

struct TFolderChange {
    TFolderChangeKind Kind;
    // The full path of the file or folder; the watched folder for Rescan.
    std::string Path;
};
