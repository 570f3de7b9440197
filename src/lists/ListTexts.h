#pragma once
// Texts the list and preview show. Portable: no Windows header.

#include <cstddef>
#include <cstdint>
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

// "Scanning... 12 345 files" while a folder tree is read: the files seen so
// far, in groups of three digits.
std::string ScanningText(int64_t filesSeen);

// What a folder scan left out and why, in one sentence; empty when it left
// nothing out. `deepFolders` lay below the depth limit of `maxDepth` levels.
std::string LeftOutText(int deepFolders, int maxDepth, int unreadableFolders, int unusableNames);
