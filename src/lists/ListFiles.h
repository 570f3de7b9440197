#pragma once
// Saving and loading the image list as list files, and the last list kept
// between runs in "LastList.lst" (beside the program, or in the user's own
// folder where the program's folder cannot be written).

#include "framework/dialogs/DialogInterfaces.h"
#include "lists/ImageList.h"

#include <string>

class TListFiles {
public:
    // Both folders end in "\". Relative entries resolve against
    // `programFolder` (the current folder); "LastList.lst" lives in
    // `lastListFolder`.
    TListFiles(TImageList& list, TListBox& pathList, int32_t& currentIndex, std::string programFolder,
               std::string lastListFolder)
        : list_(list), pathList_(pathList), currentIndex_(currentIndex),
          programFolder_(std::move(programFolder)), lastListFolder_(std::move(lastListFolder))
    {
    }

    // Runs the save dialog and writes the list under the chosen name with
    // ".lst" appended.
    void Save(IFileDialog& dialog);
    // Runs the open dialog, replaces the list with the file's entries, shows
    // the first, and writes the last list (also when cancelled).
    void Load(IFileDialog& dialog);
    // Reads "LastList.lst" (creating it empty when missing) at startup.
    void LoadLastList();
    // Writes the list to "LastList.lst".
    void SaveLastList();

    // A count larger than the file's lines gives empty entries for the
    // missing lines, but only up to this many entries in all: a damaged
    // count must not fill memory with billions of empty rows.
    static constexpr int32_t MaxEntriesPastEnd = 100000;

private:
    // Appends `count` entries read line by line to the path list.
    template <class Input>
    void ReadEntries(Input& input, int32_t count);

    TImageList& list_;
    TListBox& pathList_;
    int32_t& currentIndex_;
    std::string programFolder_;
    std::string lastListFolder_;
};
