#pragma once
// The pictures that files and folders given by path (dropped, chosen as a
// folder, named on the command line) bring to the list, gathered before
// they are added: a file is taken as it is when its name is a picture's; a
// folder gives the pictures in it and in its subfolders, in name order.
// Items keep the order they come in. What cannot be taken (a file that is
// no picture, a folder that cannot be read) is noted, the first of it as an
// error naming it, and the rest still goes in.
//
// Gathering reads only the file system, so it may run on a worker thread.

#include "core/Exceptions.h"
#include "core/FolderWalk.h"

#include <optional>
#include <string>
#include <vector>

struct TGatheredPictures {
    std::vector<std::string> Pictures;
    std::optional<Exception> FirstProblem;
    // What the folder scans left out, summed over the folders given.
    int SkippedFolders = 0;
    int DeepFolders = 0;
    int UnusableNames = 0;
    // Stopped on request: the pictures are incomplete.
    bool Cancelled = false;
};

// With `signals`, as ScanPictures (progress and stopping).
TGatheredPictures GatherPictures(const std::vector<std::string>& items, TScanSignals* signals = nullptr);

// Whether any of the items is a folder (whose tree may take long to read).
bool HoldsFolder(const std::vector<std::string>& items);

// One sentence on what the scans left out; empty when nothing was.
std::string LeftOutText(const TGatheredPictures& gathered);
