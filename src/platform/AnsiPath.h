#pragma once
// Paths between the platform's wide (UTF-16) names and the program, which
// keeps, stores and opens every path in the ANSI code page.
//
// A wide name is never "best fitted" into the code page: that would turn
// "Ωmega.jpg" into "Omega.jpg", which may be another file. A name the code
// page cannot hold is reached through its short (8.3) name where the volume
// keeps one, and is refused otherwise.

#include <optional>
#include <string>

// The text in the ANSI code page when every character has a place of its own
// there (it converts back to the very same text); nothing otherwise.
std::optional<std::string> LosslessAnsi(const std::wstring& text);

// The ANSI path that opens the same file as `path`: the path itself when the
// code page can hold it, else its short (8.3) form when the file exists, its
// volume keeps short names and the code page can hold that. Nothing when
// neither works.
std::optional<std::string> OpenableAnsiPath(const std::wstring& path);

// As OpenableAnsiPath, but a path without an ANSI form raises EFOpenError
// naming the file (each character the code page lacks shown as "?").
std::string AnsiPathOf(const std::wstring& path);

// ANSI text as wide text.
std::wstring WideFromAnsi(const std::string& text);
