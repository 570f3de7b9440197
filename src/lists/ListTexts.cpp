#include "lists/ListTexts.h"

#include <vector>

namespace {

std::string Grouped(int64_t number)
{
    // Built forwards: a space before each group of three digits but the first.
    const std::string digits = std::to_string(number);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && digits[i] != '-' && digits[i - 1] != '-' && (digits.size() - i) % 3 == 0)
            grouped += ' ';
        grouped += digits[i];
    }
    return grouped;
}

std::string Counted(int count, const std::string& one, const std::string& many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string TotalFilesText(int count)
{
    return "Total : " + std::to_string(count) + " file(s)";
}

std::string SkippedFilesNote(size_t skipped)
{
    return " (" + std::to_string(skipped) + " skipped)";
}

std::string SkippedFilesHint(size_t skipped)
{
    return std::to_string(skipped) + " file(s) already in the list were not added again";
}

std::string DescribeSize(int width, int height, bool deviceDependent)
{
    std::string text = "( " + std::to_string(width) + " x " + std::to_string(height) + " ) pixels";
    if (deviceDependent)
        text += "(DDB)";
    return text;
}

std::string ScanningText(int64_t filesSeen)
{
    // Three full stops, as the window's other texts have them ("Add image
    // file ..."): the label's bitmap font draws no clear ellipsis.
    return "Scanning... " + Grouped(filesSeen) + " files";
}

std::string LeftOutText(int deepFolders, int maxDepth, int unreadableFolders, int unusableNames)
{
    std::vector<std::string> parts;
    if (deepFolders > 0)
        parts.push_back(Counted(deepFolders, "folder", "folders") + " more than " + std::to_string(maxDepth) +
                        " levels deep");
    if (unreadableFolders > 0)
        parts.push_back(
            Counted(unreadableFolders, "folder that could not be read", "folders that could not be read"));
    if (unusableNames > 0)
        parts.push_back(Counted(unusableNames, "name", "names") + " with characters that cannot be used");
    if (parts.empty())
        return {};
    std::string text = "Left out of the folder scan: ";
    for (size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
}
