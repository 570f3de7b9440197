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
    // Empties both lists and the preview.
    void NewList();
    // "Total : N file(s)" from the path list's count.
    void WriteTotal();
    // The click of the name list: show the entry the user selected.
    void ShowClickedEntry();

    void ShowSelectedImage() { preview_.ShowSelectedImage(currentIndex_); }
    void NameListClear() { view_.NameList.Items().Clear(); }

    // Told after every edit of the list by these commands.
    std::function<void()> OnListChange;

private:
    void SelectNameRowOfPathSelection();
    // Appends `files` and brings the preview and the name list in step.
    void Append(std::vector<std::string> files);
    void ListChanged();

    ImageListView view_;
    TPreview& preview_;
    int32_t& currentIndex_;
};
