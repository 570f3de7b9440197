#pragma once
// Where the program may write for the user who runs it. A standard user on
// current Windows cannot create files in the Windows folder or in an
// installed program's folder; the program then keeps its files in its own
// folder of the user's application data instead.

#include <string>

class IDesktop;

// True when a new file can be created in `folder` now (a probe file is
// created and removed at once). False for a missing folder too.
bool FolderAcceptsNewFiles(const std::string& folder);

// The user's own "Tessivo" folder in the roaming application data, e.g.
// "C:\Users\ann\AppData\Roaming\Tessivo\", created when missing. Raises
// EInOutError when the system has no such folder or it cannot be created.
std::string UserDataFolder();

// The user's Pictures folder, ending in "\" (made when missing); empty
// when the system has none.
std::string PicturesFolder();

// The folder the last list `lastListName` lives in, ending in "\": the
// program's folder when the program can write there (portable use), else the
// user's data folder. On that move, a last list found only beside the
// program (left by an earlier, writable run) is copied over first, so the
// user keeps it. When the user's folder cannot be had either, the program's
// folder is kept: writing the list there then fails with a clear file error
// instead of the program failing to start.
std::string LastListFolder(IDesktop& system, const std::string& programFolder,
                           const std::string& lastListName);
