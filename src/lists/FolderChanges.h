#pragma once
// What a followed folder's changes make of the list. A burst of changes is
// applied as one: every picture that came is appended in one add (so the
// name list, the total, the deck and the last list's saving follow once),
// every one that went is taken out in one removal, and a renamed picture
// keeps its place under its new name. A picture "-" took out stays out.
//
// Portable: no Windows header; the file system is asked through a callback.

#include "core/FolderChange.h"
#include "lists/ListModel.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Whether `path` names a folder on the disk now.
using TIsFolder = std::function<bool(const std::string& path)>;

// Applies the changes heard in the followed folder `folder`; true when only
// reading the folder again can tell the rest (the system lost track, or a
// folder came in whose pictures are unknown).
bool ApplyFolderChanges(TListModel& list, int32_t folder, const std::vector<TFolderChange>& changes,
                        const TIsFolder& isFolder);

// Makes the folder's entries those of a fresh reading, `pictures` in name
// order: entries whose files are gone leave, new pictures are appended (not
// those kept out), entries still there keep their places. The folder's
// entries are no longer missing. A reading that was not `complete` (a
// subfolder could not be read) only adds: what it missed may still be there.
void ApplyFolderScan(TListModel& list, int32_t folder, const std::vector<std::string>& pictures,
                     bool complete = true);
