#pragma once
// What the Windows shell does for the program: showing a file in its folder.

#include <string>

// Opens the file's folder in Explorer with the file selected. A shell that
// refuses raises an error with the system's reason.
void ShowFileInFolder(const std::string& path);
