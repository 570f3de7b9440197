#pragma once
// Texts the list and preview show. Portable: no Windows header.

#include <cstddef>
#include <string>

// "Total : N file(s)", the plural form whatever the count.
std::string TotalFilesText(int count);

// " (K skipped)", after the total, and the hint that says what it means.
std::string SkippedFilesNote(size_t skipped);
std::string SkippedFilesHint(size_t skipped);

// "( W x H ) pixels", with "(DDB)" appended for a device-dependent bitmap.
std::string DescribeSize(int width, int height, bool deviceDependent);

// The reason a dropped or given file that is no picture is not added.
inline constexpr const char* NotAPictureText = "Not a picture file";
