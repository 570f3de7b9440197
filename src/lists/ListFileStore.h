#pragma once
// List files on disk: saving a list whole, and opening one to read it entry
// by entry. File errors are raised as EInOutError with the system's error
// mapped to the program's texts ("File not found", "Invalid filename",
// "Too many open files", "File access denied", "I/O error %d"); a count that
// is not a number raises EConvertError "Invalid numeric input".

#include "lists/FollowedFolders.h"
#include "lists/ListFileReader.h"
#include "platform/Files.h"
#include "platform/SystemCodePage.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The list kept between runs, opened by its bare name in the program's folder.
inline constexpr const char* LastListFileName = "LastList.lst";
// Where a last list that could not be read is kept, beside it, before
// anything writes the last list again.
inline constexpr const char* LastListBackupFileName = "LastList.bak";
// The extension of list files.
inline constexpr const char* ListFileExtension = ".lst";

// The name a list is saved under: `chosen` with ".lst" appended, unless it
// already ends in ".lst" in any letter case.
std::string ListFileNameFor(const std::string& chosen);

// Writes `entries` (text) as the list file `path`, in the system's code page
// or as marked UTF-8 (see ListFileWriter.h). The file is built beside `path`
// and replaces it only when complete, so a failure part-way leaves the old
// file as it was.
// The folders the list follows go after the entries (see FollowedFolders.h).
void SaveListFile(const std::string& path, const std::vector<std::string>& entries,
                  const std::vector<TFollowedFolder>& folders = {});

// How to wait for a list file that another program (a backup or sync tool)
// holds open for a moment: it is opened up to `Attempts` times, with `Wait`
// called between two attempts.
struct TLockedFileWait {
    int Attempts = 1;
    std::function<void()> Wait;
};

// About two seconds in steps of a tenth.
TLockedFileWait TwoSecondsForLockedFile();

// An open list file, read as text (see ListFileReader.h). Others may read it
// meanwhile but not write it; it is closed when this object goes, also when
// reading fails.
class TListFileInput {
public:
    explicit TListFileInput(const std::string& path, const TLockedFileWait& wait = {});
    TListFileInput(const TListFileInput&) = delete;
    TListFileInput& operator=(const TListFileInput&) = delete;

    int32_t ReadCount() { return Reader.ReadCount(); }
    std::string ReadLine() { return Reader.ReadLine(); }
    std::vector<std::string> ReadEntries(int32_t count, size_t maxEntriesPastEnd)
    {
        return Reader.ReadEntries(count, maxEntriesPastEnd);
    }
    // After the entries: the folders the list follows (none in a plain list).
    std::vector<TFollowedFolder> ReadFollowedFolders()
    {
        return ParseFollowedFolderLines(Reader.ReadTrailingLines(MaxFollowedFolderLines));
    }
    bool AtEnd() { return Reader.AtEnd(); }
    // Whether the file holds more than `bytes`; false when its size cannot
    // be told (a pipe, say).
    bool LongerThan(uint64_t bytes) const;

private:
    TInputFile File;
    TSystemCodePage CodePage;
    TListFileReader Reader;
};
