#pragma once
// The files of a drag-and-drop (WM_DROPFILES): the drop's handle is owned
// and handed back to the shell when this object goes, also when reading the
// names fails.

#include <windows.h>

#include <shellapi.h>
#include <string>
#include <vector>

class TDroppedFiles {
public:
    explicit TDroppedFiles(HDROP drop) : drop_(drop) {}
    TDroppedFiles(const TDroppedFiles&) = delete;
    TDroppedFiles& operator=(const TDroppedFiles&) = delete;
    ~TDroppedFiles();

    // The dropped files and folders as UTF-8 paths, in the drop's order. A
    // name no text can hold (half of a surrogate pair) refuses the drop with
    // an error naming it, as the file dialogs refuse such a choice.
    std::vector<std::string> Paths() const;

private:
    HDROP drop_;
};

// Whether a window takes files dropped on it (it and its children then get
// WM_DROPFILES).
void AcceptDroppedFiles(HWND window, bool accept);
