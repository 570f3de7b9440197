#pragma once
// The program's own folder and the process's current directory.

#include <string>

// The full path of the running executable in the ANSI code page; a folder
// the code page cannot hold is given by its short (8.3) name.
std::string ProgramFileName();

// `path` as ProgramFileName gives it: itself when the code page holds it,
// else its short name, else (no short name on that volume) with "?" for each
// character outside ASCII.
std::string ProgramPathInAnsi(const std::wstring& path);

// The folder of the running executable, with its trailing "\".
std::string ProgramFolder();

// Makes `folder` the process's current directory; raises EInOutError with the
// system's error code when it cannot.
void SetCurrentFolder(const std::string& folder);
