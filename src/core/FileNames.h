#pragma once
// How the program splits a path into folder, name and extension. A path is
// UTF-8 text; "\" and ":" (a drive) both end the folder part, "/" does not.
// (No byte of a UTF-8 sequence is one of these, so they are found bytewise.)
//
// Portable: no Windows header.

#include <string>

// The folder part: everything up to and including the last "\" or ":";
// empty when the path has neither.
std::string ExtractFilePath(const std::string& path);

// The file-name part: the text after the last "\" or ":" (the whole path when
// it has neither).
std::string ExtractFileName(const std::string& path);

// The extension: the text from the last "." that comes after the last "\" or
// ":", dot included; empty when the file-name part has no dot.
std::string ExtractFileExt(const std::string& path);
