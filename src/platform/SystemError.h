#pragma once
// The system's own text for a Win32 error code, as the program shows it after
// a file name ("Cannot open file "x". <reason>").

#include <string>

// The system's message for `errorCode` without the trailing line break; when
// the system has none, the program's own text for that code.
std::string SystemErrorMessage(unsigned long errorCode);
