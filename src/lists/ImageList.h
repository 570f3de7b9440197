#pragma once
// The commands that edit the image list by hand: add files, delete the
// selected file, start a new list, remove the entries whose files are gone;
// and what the window shows of the list after each of them. The list itself
// is the list model; the name list and the total follow it.

#include "framework/dialogs/DialogInterfaces.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/ListBox.h"
#include "lists/ListModel.h"
#include "lists/ListedKeys.h"
#include "lists/NameListView.h"
#include "lists/PictureGathering.h"
#include "lists/Preview.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ImageListView {
    TListModel& List;   // the entries and the selected one
    TListBox& NameList; // nameList: shows the list; its highlighted row is the user's
    TLabel& TotalLabel; // totalLabel
    TImage& Image;      // previewImage
    TLabel& SizeLabel;  // sizeLabel
    TLabel& NameLabel;  // nameLabel
};

class TImageList {
public:
    TImageList(ImageListView view, TPreview& preview, int32_t& currentIndex);
    // The list itself.
    TListModel& List() { return view_.List; }
    // Called before every add: a list being loaded is waited for. What it
    // raises is raised once the add is made.
    std::function<void()> BeforeAdd;
    // Runs the picture dialog and appends the chosen files; shows the entry
    // that was shown before (or the first one when the list was empty).
    void AddFiles(IOpenPictureDialog& dialog);
    // Appends pictures as AddFiles does, from files and folders given by
    // path (see lists/PictureGathering.h), gathered here and now.
    void AddFilesAndFolders(const std::vector<std::string>& items);
    // Appends the pictures gathered; then raises the first problem met.
    void AddGathered(TGatheredPictures gathered);
    // Appends pictures as AddGathered does, their keys made beforehand (see
    // lists/ListedKeys.h), so that a large add costs the window little.
    void AddKeyed(TKeyedPaths ready, TListedKeys& listed);
    // Removes the selected entry (one of a followed folder stays out of the
    // list when the folder is read again) and shows its neighbour.
    void DeleteSelected();
    // Removes every entry whose file is gone (`IsMissing` says which) and
    // shows the selected entry again, or the first when it went too.
    void RemoveMissing(const std::function<bool(const std::string& entry)>& isMissing);
    // Empties the list and the preview.
    void NewList();
    // "Total : N file(s)" from the list's count, after every change of the
    // list too. Right after an add
    // that left out files already listed, the total says so: "Total : N
    // file(s) (K skipped)", its hint in words, until the next total.
    void WriteTotal();
    // A list that was loaded (a list file, the last list) shows its first
    // entry on this computer: an entry on another computer is opened only
    // once the user selects it or the rotation reaches it, so a list
    // someone sent cannot make Windows connect to their computer with the
    // user's credentials. With `reportFailure` the preview's failure is
    // raised too, when its read ends. With no such entry nothing is
    // selected.
    void ShowLoadedList(bool reportFailure);
    // The click of the name list (or its arrow keys): show the entry the
    // user selected. An entry that cannot be shown says so in the preview.
    void ShowClickedEntry();

    // Shows the entry at the current index once its picture is read off the
    // window's thread; a failure shows in the preview and is raised when
    // the read ends (a list the user loaded says so in a box).
    void ShowSelectedImage();
    // The same for a selection nobody asked to be told about by a box (a
    // click, a key, an add, the start): a failure shows in the preview
    // only, and the picture is read off the window's thread (see
    // TPreview::RequestImage).
    void PreviewSelectedEntry();

private:
    // Highlights the row of the selected entry (none when none is).
    void SelectNameRowOfSelectedEntry();
    // Appends `files` and shows what the preview should after the add.
    // Every add comes here: files already in the list (or twice among
    // `files`) are left out, and the total says how many.
    void Append(std::vector<std::string> files);
    // The same for an add `add` makes, which returns how many it left out.
    void AppendWith(const std::function<size_t()>& add);
    void AppendNow(const std::function<size_t()>& add);
    void ShowAfterAdd(int countBefore, int previous);
    void NoteSkipped(size_t skipped);
    // Shows entry `from`, or the nearest entry before it, else after it,
    // that is not on another computer: what the list shows by itself after
    // an edit never opens another computer's file. With none, nothing is
    // selected. With `reportFailure` a failed preview is raised when its
    // read ends.
    void ShowNearestOnThisComputer(int from, bool reportFailure = false);

    ImageListView view_;
    TPreview& preview_;
    int32_t& currentIndex_;
    TNameListView nameListView_;
    TListSubscription labelsFollowList_;
};
