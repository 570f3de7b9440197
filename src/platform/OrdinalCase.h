#pragma once
// Comparing names as Windows compares file names: code unit by code unit of
// UTF-16, upper-cased by the system's own table (what NTFS and
// CompareStringOrdinal with case ignored use), for every script, not only
// ASCII.

#include <string>
#include <string_view>

// A key that two names share exactly when Windows takes them for the same
// name ignoring case: the name's UTF-16, upper-cased by the file system's
// rules. Text that is not UTF-8 keys as its bytes with U+FFFD for the bad
// ones, so it never matches a real name.
std::wstring OrdinalCaseKey(std::string_view name);

// CompareStringOrdinal(a, b, ignoring case) == equal.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
