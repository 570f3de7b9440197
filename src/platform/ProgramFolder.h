#pragma once
// The program's own folder and the process's current directory.

#include <string>

// The full path of the running executable, whatever its folder is named
// ("C:\Tools 日本\tessivo.exe").
std::string ProgramFileName();

// The folder of the running executable, with its trailing "\".
std::string ProgramFolder();

// Makes `folder` the process's current directory; raises EInOutError with the
// system's error code when it cannot.
void SetCurrentFolder(const std::string& folder);
