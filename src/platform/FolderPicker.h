#pragma once
// The platform's folder picker: the common item dialog in its folder mode.

#include <windows.h>

#include <optional>
#include <string>

// Shows the picker over `owner` and waits. The chosen file-system folder as
// UTF-8; nothing when the user cancelled. A dialog that cannot be shown, or
// a folder name no text can hold, raises an error.
std::optional<std::string> PickFolder(HWND owner, const std::string& title);
