#pragma once
// The folders a list follows, as a list file keeps them: after the counted
// entries, where every reader of lists stops, so an older copy reads the
// file as the plain list of the pictures it held when it was saved.
//
//     2
//     C:\Pictures\Holiday\sea.jpg
//     C:\Pictures\Holiday\sun.jpg
//     ;Tessivo followed folders
//     Folder=C:\Pictures\Holiday
//     Excluded=C:\Pictures\Holiday\blurred.jpg
//
// An "Excluded" line belongs to the folder above it: a picture "-" took out,
// kept out when the folder is read again. Reading the tail forgives
// anything: lines before the marker, lines of no known kind, a folder that
// is no full path, an exclusion outside its folder and folders beyond the
// limit are passed over, never the entries.
//
// Portable: no Windows header.

#include <cstddef>
#include <string>
#include <vector>

struct TFollowedFolder {
    // A full path without a trailing "\" ("C:\Pictures", "\\server\share\x").
    std::string Path;
    // Full paths of the pictures inside it that are kept out of the list.
    std::vector<std::string> Excluded;
};

inline constexpr const char* FollowedFoldersMarker = ";Tessivo followed folders";
// A list follows at most this many folders from a file; more are passed over.
inline constexpr size_t MaxFollowedFolders = 256;
// Lines read after the entries at most: a damaged tail costs no more.
inline constexpr size_t MaxFollowedFolderLines = 1000000;

// The lines written after the entries; none when no folder is followed.
std::vector<std::string> FollowedFolderLines(const std::vector<TFollowedFolder>& folders);

// The followed folders in the lines that came after the entries.
std::vector<TFollowedFolder> ParseFollowedFolderLines(const std::vector<std::string>& lines);

// True for a full path a folder can be followed at: a drive's ("C:\...") or
// another computer's share ("\\server\share...").
bool IsFullFolderPath(const std::string& path);

// True when `path` lies inside `folder` (any depth), comparing ASCII letters
// in either case; the program compares by keys of Windows' own rule.
bool IsInsideFolder(const std::string& path, const std::string& folder);

// `path` without its trailing separators (but "C:\" keeps its own).
std::string WithoutTrailingSeparator(std::string path);
