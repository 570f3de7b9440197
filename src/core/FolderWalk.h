#pragma once
// The picture files of a folder and its subfolders, in a fixed order: a
// folder's own pictures first, in name order (NameBefore), then each
// subfolder the same way, subfolders in name order. A folder reached a
// second time (through a link or junction that leads back up the tree or
// to a folder already listed) is not listed again, so link loops end. A
// subfolder that cannot be read, and one deeper than the limit, is skipped
// and counted, so the caller can say what was left out; the folder asked
// for must be readable.
//
// A scan may run on a worker thread: it reports how many files it has seen
// and stops early when asked to, through TScanSignals.
//
// The file system is reached through IFolderReader, which the platform
// implements; tests pass a fake.
//
// Portable: no Windows header.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TFolderEntry {
    std::string Name;
    bool IsFolder = false;
};

struct TFolderListing {
    std::vector<TFolderEntry> Entries;
    // Entries left out because their names cannot be used as paths.
    int UnusableNames = 0;
};

// What tells one folder from another, however it was reached.
struct TFolderIdentity {
    uint64_t Volume = 0;
    uint64_t Index = 0;
    auto operator<=>(const TFolderIdentity&) const = default;
};

class IFolderReader {
public:
    virtual ~IFolderReader() = default;
    // The entries of `folder` (no "." or ".."); raises when it cannot be read.
    virtual TFolderListing List(const std::string& folder) = 0;
    // The folder's identity; nothing when it cannot be told (the folder is
    // then listed, but a loop through it is cut by the depth limit only).
    virtual std::optional<TFolderIdentity> Identity(const std::string& folder) = 0;
};

struct TPictureScan {
    std::vector<std::string> Pictures; // full paths
    int SkippedFolders = 0;            // unreadable subfolders
    int DeepFolders = 0;               // subfolders below the depth limit, not entered
    int UnusableNames = 0;             // names that could not be used
    bool Cancelled = false;            // stopped on request: the rest is incomplete
};

// What a scan shares with the thread that waits for it: that thread asks it
// to stop, and reads how far it has come.
struct TScanSignals {
    std::atomic<bool> CancelRequested{false};
    std::atomic<int64_t> FilesSeen{0};
};

// Folders deeper than this below the one asked for are not entered: a last
// guard against loops whose folders have no identity.
inline constexpr int MaxFolderDepth = 64;

// The pictures in `folder` (without a trailing "\") and its subfolders.
// With `signals`, counts the files it lists into them and ends, Cancelled,
// at the next folder once a cancel is requested.
TPictureScan ScanPictures(IFolderReader& reader, const std::string& folder, TScanSignals* signals = nullptr);
