#pragma once
// Splitting a Windows command line into arguments the way the system's own
// CommandLineToArgvW does, so a path the shell quoted reaches the program
// whole, with the same backslash and quote rules:
//  - blanks (space, tab) outside quotes end an argument;
//  - 2n backslashes before a quote give n backslashes, and the quote opens
//    or closes a quoted part;
//  - 2n+1 backslashes before a quote give n backslashes and a literal quote;
//  - backslashes not before a quote stay as they are;
//  - inside a quoted part, two quotes give one literal quote and end the
//    quoted part, three give one literal quote and keep it open;
//  - "" on its own is an empty argument.
// The program's name, the first word of the whole line, follows simpler
// rules: up to the next quote when it starts with one, else to the first
// blank; backslashes have no meaning there.
//
// Portable: no Windows header.

#include <string>
#include <string_view>
#include <vector>

// The arguments of a command line without the program's name.
std::vector<std::string> SplitArguments(std::string_view arguments);

// The arguments of a whole command line (as GetCommandLine gives it): the
// program's name is stepped over, the rest split as SplitArguments does.
std::vector<std::string> CommandLineArguments(std::string_view commandLine);
