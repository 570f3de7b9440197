#pragma once
// Case folding of the ASCII letters only: switches, extensions and paths
// compare the same whatever the system's code page, and no other character
// folds to one of these letters.

#include <string>
#include <string_view>

char LowerAscii(char c);
std::string LowerAscii(std::string text);
bool SameIgnoringCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);
