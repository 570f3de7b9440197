#pragma once
// The texts a file dialog takes and gives back, in the forms the platform's
// (wide) file dialogs use. Portable: no Windows header.

#include <cstddef>
#include <string>
#include <vector>

// "Text|*.a;*.b|Text2|*.c" -> "Text\0*.a;*.b\0Text2\0*.c\0\0": the filter
// with every "|" turned into a NUL and the double NUL that ends the list.
std::string DialogFilterText(const std::string& filter);

// The chosen files from a dialog's result buffer, in the dialog's order.
// `fileOffset` is where the dialog says the (first) file name starts: when
// the character before it is a NUL, the buffer holds the folder followed by
// the names of several files (each ended by a NUL, the list by a second NUL);
// otherwise it holds one full path, ended by a NUL, and whatever follows that
// NUL (the rest of a longer text the buffer held before) is not read. A name
// that is a full path of its own is taken as it is. Reads no further than
// `size` characters.
std::vector<std::wstring> ParseDialogFiles(const wchar_t* buffer, size_t size, size_t fileOffset);

// The file a preview should show, from the dialog's current folder and its
// file-name text: the name itself, or the first of several quoted names;
// joined to the folder unless it is a full path. Empty when there is none.
std::wstring FirstChosenFile(const std::wstring& folder, const std::wstring& fileNameText);

// The buffer size (in characters) a multiple selection needs, from the
// lengths of the dialog's current folder and of its file-name text (the
// quoted names, which are longer than the same names NUL-separated).
size_t NeededFileBufferSize(size_t folderLength, size_t fileNameTextLength);

// The size to grow a result buffer to when `needed` does not fit in
// `current`: at least `needed`, and at least double, so a selection that
// keeps growing costs few reallocations. Returns `current` when it fits.
size_t GrownFileBufferSize(size_t current, size_t needed);
