#pragma once
// Saving and loading the image list as list files, and the last list kept
// between runs in "LastList.lst" (beside the program, or in the user's own
// folder where the program's folder cannot be written).

#include "framework/dialogs/DialogInterfaces.h"
#include "lists/ImageList.h"
#include "lists/ListFileRead.h"
#include "lists/ListFileStore.h"
#include "lists/ListModel.h"
#include "platform/WorkerThread.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Where a long list file's read tells its end, and how a write of the last
// list begun in the background is told to whoever follows such writes.
struct ListReadWindow {
    std::function<HWND()> Window;
    std::function<void()> LastListWriteBegan;
};

class TListFiles {
public:
    // Both folders end in "\". Relative entries resolve against
    // `programFolder` (the current folder); "LastList.lst" lives in
    // `lastListFolder`. `lastListWait` says how long a last list that another
    // program holds open is waited for at start.
    TListFiles(TImageList& commands, TListModel& list, int32_t& currentIndex, std::string programFolder,
               std::string lastListFolder, TLockedFileWait lastListWait = TwoSecondsForLockedFile())
        : commands_(commands), list_(list), currentIndex_(currentIndex),
          programFolder_(std::move(programFolder)), lastListFolder_(std::move(lastListFolder)),
          lastListWait_(std::move(lastListWait))
    {
        // An add waits for a load that reads: its pictures join the list
        // the user chose to load, not the one that list replaces.
        commands_.BeforeAdd = [this] { FinishLoad(); };
    }
    ~TListFiles() { commands_.BeforeAdd = nullptr; }
    TListFiles(const TListFiles&) = delete;
    TListFiles& operator=(const TListFiles&) = delete;

    // Runs the save dialog (which asks before it replaces a file) and writes
    // the list under the chosen name, with ".lst" appended when the name
    // does not already end in it.
    void Save(IFileDialog& dialog);
    // Runs the open dialog and reads the chosen file whole; only then does
    // its list replace the current one, its first entry on this computer is
    // shown, and the last list is written (also when the dialog was cancelled). A failed
    // read leaves the current list as it was.
    //
    // Once ReadInBackground has been called, a file of more than
    // BackgroundReadBytes is read on a worker thread: Load returns at once
    // and the list is replaced in one step when ListRead is told the read
    // ended (a long last list is then written in the background too). A
    // load still reading when Load is called again ends first.
    void Load(IFileDialog& dialog);
    void ReadInBackground(ListReadWindow window) { readWindow_ = std::move(window); }
    static constexpr uint64_t BackgroundReadBytes = 256 * 1024;
    // The message a read on a worker tells its end with (see
    // LastListWrittenMessage for the others).
    static constexpr UINT ListReadMessage = WM_APP + 14;
    // Whether a list file is being read on a worker.
    bool Loading() const { return read_ != nullptr; }
    // The read tagged `tag` has ended: its list replaces the current one, as
    // Load's own does, or its failure is raised and the list stays as it
    // was. False for a read that is no longer waited for.
    bool ListRead(WPARAM tag);
    // Waits for a load that reads and replaces the list with it, as ListRead.
    void FinishLoad();
    // Reads "LastList.lst" (creating it empty when missing) at startup. A
    // last list that cannot be read is copied to "LastList.bak" before the
    // error is raised, so that no later write of the last list loses it.
    void LoadLastList();
    // Writes the list to "LastList.lst". A write begun in the background
    // ends first (its outcome no longer matters), so the file ends as the
    // list is.
    void SaveLastList();
    // Writes the list to "LastList.lst" as SaveLastList does, but, for a
    // list of BackgroundWriteEntries or more, on a worker thread, from a
    // copy of the list taken now: a long list costs the window's thread only
    // the copy. When the write has ended, `message` is posted to `window`
    // with a tag for LastListWritten. Returns false when the list was
    // written at once instead (a short one, or a last list not yet copied
    // aside, as SaveLastList does).
    bool SaveLastListInBackground(HWND window, UINT message);
    static constexpr int BackgroundWriteEntries = 10000;
    // The message the main window has its background writes of the last
    // list tell their end with (its others: see lists/BackgroundAdd.h and
    // lists/FolderFollower.h).
    static constexpr UINT LastListWrittenMessage = WM_APP + 13;
    // The write tagged `tag` has ended: raises its failure. False for a
    // write that is no longer waited for.
    bool LastListWritten(WPARAM tag);
    std::string LastListPath() const { return lastListFolder_ + LastListFileName; }

    // A count larger than the file's lines gives empty entries for the
    // missing lines, but only up to this many entries in all: a damaged
    // count must not fill memory with billions of empty rows.
    static constexpr int32_t MaxEntriesPastEnd = 100000;

private:
    // Makes `entries` the list (the name list and the total follow), then shows the
    // first entry on this computer (see TImageList::ShowLoadedList). With
    // `reportFailure` a picture that fails to show is raised once it is
    // read (off the window's thread), with the name list in step and the
    // total right.
    void ReplaceList(TListFileContent content, bool reportFailure);
    // Reads the last list; a sharing violation is waited out for a moment.
    TListFileContent ReadLastList();
    // Copies an unreadable last list aside; true when the copy is made.
    bool KeepUnreadLastList();
    // Lets a background write of the last list end; its outcome is dropped.
    void AwaitLastListWrite();
    // What follows a load that read the file whole, or that was cancelled.
    void EndLoad(TListFileContent* content);
    void ApplyRead();

    TImageList& commands_;
    TListModel& list_;
    int32_t& currentIndex_;
    std::string programFolder_;
    std::string lastListFolder_;
    TLockedFileWait lastListWait_;
    // The last list could not be read and is not yet copied aside: it must
    // not be written over until it is.
    bool lastListUnkept_ = false;
    std::unique_ptr<TWorkerThread> lastListWrite_;
    uint64_t lastListWriteTag_ = 0;
    ListReadWindow readWindow_;
    std::unique_ptr<TListFileRead> read_;
    uint64_t readTag_ = 0;
};
