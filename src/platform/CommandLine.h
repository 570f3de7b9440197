#pragma once
// The arguments the program was started with, as UTF-8 text.

#include <string>
#include <vector>

// The process's command line split as the system splits it, without the
// program's name.
std::vector<std::string> ProgramArguments();
