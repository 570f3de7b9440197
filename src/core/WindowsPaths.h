#pragma once
// What Windows makes of a path read from a list file: whether it could be a
// file's name at all, and whether opening it would reach another computer.
// A path is UTF-8 text; "\" and "/" both separate its parts, as for Windows.
//
// Portable: no Windows header.

#include <functional>
#include <string_view>

// False when Windows cannot have a file of this name: a control character,
// one of " < > | * ?, or a ":" other than a drive's (a letter and ":" at the
// start, or right after a "\\?\" or "\\.\" prefix, which stays allowed).
// An empty path is allowed (a list may hold empty lines).
bool IsNameWindowsAllows(std::string_view path);

// The drive letter the path starts with ("C:", "\\?\C:"), upper case; 0 for
// none (a UNC path, a relative one).
char DriveLetterOf(std::string_view path);

// True when the path itself names another computer: "\\server\share\...",
// "\\?\UNC\...", and every other form that starts with two separators but
// is no local drive behind a "\\?\" or "\\.\" prefix, or the "\??\" form
// Windows passes through to its object names.
bool NamesAnotherComputer(std::string_view path);

// NamesAnotherComputer, or a path on a drive letter `driveIsRemote` says is
// mapped to another computer's share.
bool IsOnAnotherComputer(std::string_view path, const std::function<bool(char drive)>& driveIsRemote);
