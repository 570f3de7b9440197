#include "framework/dialogs/FileDialogText.h"

#include <algorithm>

namespace {

bool IsFullPath(const std::string& name)
{
    // "C:\..." or "\\server\..." (and "\..." from the current drive).
    return (name.size() >= 2 && name[1] == ':') || (!name.empty() && name[0] == '\\');
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (IsFullPath(name) || folder.empty())
        return name;
    const char last = folder.back();
    return last == '\\' || last == '/' || last == ':' ? folder + name : folder + "\\" + name;
}

} // namespace

std::string DialogFilterText(const std::string& filter)
{
    std::string text = filter;
    std::replace(text.begin(), text.end(), '|', '\0');
    text.push_back('\0');
    text.push_back('\0');
    return text;
}

std::vector<std::string> ParseDialogFiles(const char* buffer, size_t size)
{
    std::vector<std::string> parts;
    size_t at = 0;
    while (at < size && buffer[at] != '\0') {
        const size_t end = std::find(buffer + at, buffer + size, '\0') - buffer;
        parts.emplace_back(buffer + at, end - at);
        at = end + 1;
    }
    if (parts.size() <= 1)
        return parts;
    std::vector<std::string> files;
    files.reserve(parts.size() - 1);
    for (size_t i = 1; i < parts.size(); ++i)
        files.push_back(JoinPath(parts[0], parts[i]));
    return files;
}

std::string FirstChosenFile(const std::string& folder, const std::string& fileNameText)
{
    std::string name = fileNameText;
    if (!name.empty() && name[0] == '"') {
        const size_t close = name.find('"', 1);
        name = name.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    if (name.empty())
        return {};
    return JoinPath(folder, name);
}

size_t NeededFileBufferSize(size_t folderLength, size_t fileNameTextLength)
{
    // Folder, its NUL, the names with their NULs (never longer than the
    // quoted text), the closing NUL, and room for a separator the dialog
    // may add after the folder.
    return folderLength + fileNameTextLength + 4;
}

size_t GrownFileBufferSize(size_t current, size_t needed)
{
    if (needed <= current)
        return current;
    return std::max(needed, current * 2);
}
