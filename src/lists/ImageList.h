#pragma once
// The image list and the commands that edit it by hand: add files, delete
// the selected file, start a new list. The list is held twice: full paths in
// the hidden path list and file names in the visible name list, row for row.

#include "framework/dialogs/DialogInterfaces.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/ListBox.h"
#include "lists/Preview.h"

#include <cstdint>
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
    // Appends files and the pictures of folders (with their subfolders, in
    // name order), then shows the list as AddFiles does. Every path that can
    // be read is added; the first one that cannot is raised afterwards.
    void AddFilesAndFolders(const std::vector<std::string>& paths);
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

private:
    // Appends `files` to the list and shows the entry shown before (the
    // first one when the list was empty).
    void Append(std::vector<std::string> files);
    void SelectNameRowOfPathSelection();

    ImageListView view_;
    TPreview& preview_;
    int32_t& currentIndex_;
};
