#pragma once
// List files on disk: saving a list whole, and opening one to read it entry
// by entry. File errors are raised as EInOutError with the system's error
// mapped to the program's texts ("File not found", "Invalid filename",
// "Too many open files", "File access denied", "I/O error %d"); a count that
// is not a number raises EConvertError "Invalid numeric input".

#include "lists/ListFileReader.h"
#include "platform/Files.h"

#include <string>
#include <vector>

// The list kept between runs, opened by its bare name in the program's folder.
inline constexpr const char* LastListFileName = "LastList.lst";
// The extension the save command appends.
inline constexpr const char* ListFileExtension = ".lst";

// Writes `entries` as the list file `path`. The file is built beside `path`
// and replaces it only when complete, so a failure part-way leaves the old
// file as it was.
void SaveListFile(const std::string& path, const std::vector<std::string>& entries);

// An open list file. Others may read it meanwhile but not write it; it is
// closed when this object goes, also when reading fails.
class TListFileInput {
public:
    explicit TListFileInput(const std::string& path);
    TListFileInput(const TListFileInput&) = delete;
    TListFileInput& operator=(const TListFileInput&) = delete;

    int32_t ReadCount() { return Reader.ReadCount(); }
    std::string ReadLine() { return Reader.ReadLine(); }
    bool AtEnd() { return Reader.AtEnd(); }

private:
    TInputFile File;
    TListFileReader Reader;
};
