#pragma once
// The platform's folder picker: the common item dialog in its folder mode.

#include <windows.h>

#include <optional>
#include <string>

// A check box below the folder's name; none while Text is empty. Checked
// is what it shows, and after the dialog what the user left it at.
struct TFolderPickerCheck {
    std::string Text;
    bool Checked = false;
};

// Shows the picker over `owner` and waits. The chosen file-system folder as
// UTF-8; nothing when the user cancelled. A dialog that cannot be shown, or
// a folder name no text can hold, raises an error. A dialog that cannot
// hold the check box is shown without it (its state stays as it was).
std::optional<std::string> PickFolder(HWND owner, const std::string& title, TFolderPickerCheck& check);
