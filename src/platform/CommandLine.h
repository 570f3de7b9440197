#pragma once
// The arguments the program was started with, as UTF-8 text.

#include <string>
#include <vector>

// The process's command line split as the system splits it, without the
// program's name.
std::vector<std::string> ProgramArguments();

// `path` made absolute against this process's current folder, as the system
// does; a path that cannot be made so is returned as it is (opening it then
// fails with a clear error). A running copy that receives the path has a
// current folder of its own.
std::string FullPath(const std::string& path);
