#include "lists/ListTexts.h"

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
