#pragma once
// The clipboard, for text the user copies out of the program.

#include <windows.h>

#include <string>

// Puts `text` (UTF-8) on the clipboard as Unicode text, replacing what was
// there. `owner` is the window the clipboard is opened for. A clipboard
// that another program holds, or memory that cannot be had, raises an
// error with the system's reason; the clipboard is then as it was or empty.
void CopyTextToClipboard(HWND owner, const std::string& text);
