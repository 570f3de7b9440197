#pragma once
// The image list and the commands that edit it by hand: add files, delete
// the selected file, start a new list. The list is held twice: full paths in
// the hidden path list and file names in the visible name list, row for row.

#include "framework/dialogs/DialogInterfaces.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/ListBox.h"
#include "lists/PictureGathering.h"
#include "lists/Preview.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ImageListView {
    TListBox& PathList; // pathList
    TListBox& NameList; // nameList
    TLabel& TotalLabel; // totalLabel
    TImage& Image;      // previewImage
    TLabel& SizeLabel;  // sizeLabel
    TLabel& NameLabel;  // nameLabel
};

class TImageList {
public:
    TImageList(ImageListView view, TPreview& preview, int32_t& currentIndex)
        : view_(view), preview_(preview), currentIndex_(currentIndex)
    {
    }

    // Writes the file-name part of every entry into the name list: rows
    // that exist are replaced in place, missing ones appended; never
    // shortens the name list; keeps its selected row.
    void RefreshNameList();
    // Runs the picture dialog and appends the chosen files; shows the entry
    // that was shown before (or the first one when the list was empty).
    void AddFiles(IOpenPictureDialog& dialog);
    // Appends pictures as AddFiles does, from files and folders given by
    // path (see lists/PictureGathering.h), gathered here and now.
    void AddFilesAndFolders(const std::vector<std::string>& items);
    // Appends the pictures gathered; then raises the first problem met.
    void AddGathered(TGatheredPictures gathered);
    // Removes the selected entry from both lists and shows its neighbour.
    void DeleteSelected();
    // Removes every entry whose file is gone (`IsMissing` says which) and
    // shows the selected entry again, or the first when it went too.
    void RemoveMissing(const std::function<bool(const std::string& entry)>& isMissing);
    // Empties both lists and the preview.
    void NewList();
    // "Total : N file(s)" from the path list's count. Right after an add
    // that left out files already listed, the total says so: "Total : N
    // file(s) (K skipped)", its hint in words, until the next total.
    void WriteTotal();
    // A list that was loaded (a list file, the last list) shows its first
    // entry on this computer: an entry on another computer is opened only
    // once the user selects it or the rotation reaches it, so a list
    // someone sent cannot make Windows connect to their computer with the
    // user's credentials. With `reportFailure` the preview's failure is
    // raised too. With no such entry nothing is selected.
    void ShowLoadedList(bool reportFailure);
    // The click of the name list (or its arrow keys): show the entry the
    // user selected. An entry that cannot be shown says so in the preview.
    void ShowClickedEntry();

    // Shows the entry at the current index; a failure shows in the preview
    // and is raised (an automatic change reports it, a load shows a box).
    void ShowSelectedImage();
    // The same for a selection nobody asked to be told about by a box: a
    // failure shows in the preview only.
    void PreviewSelectedEntry();
    void NameListClear() { view_.NameList.Items().Clear(); }

    // Told after every edit of the list by these commands.
    std::function<void()> OnListChange;

private:
    void SelectNameRowOfPathSelection();
    // Appends `files` and brings the preview and the name list in step.
    // Every add comes here: files already in the list (or twice among
    // `files`) are left out, and the total says how many.
    void Append(std::vector<std::string> files);
    void AppendAndShow(std::vector<std::string> files);
    // Leaves out of `files` those the list holds already, by Windows' rule
    // for names; returns how many.
    size_t DropEntriesAlreadyListed(std::vector<std::string>& files);
    void NoteSkipped(size_t skipped);
    // Makes `entries` the list, in both lists and the total.
    void ReplaceEntries(std::vector<std::string> entries);
    // Shows entry `from`, or the nearest entry before it, else after it,
    // that is not on another computer: what the list shows by itself after
    // an edit never opens another computer's file. With none, nothing is
    // selected. With `reportFailure` a failed preview is raised.
    void ShowNearestOnThisComputer(int from, bool reportFailure = false);
    void ListChanged();

    ImageListView view_;
    TPreview& preview_;
    int32_t& currentIndex_;
};
