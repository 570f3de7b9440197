#include "framework/dialogs/FileDialogText.h"

#include <algorithm>

namespace {

bool IsFullPath(const std::wstring& name)
{
    // "C:\..." or "\\server\..." (and "\..." from the current drive).
    return (name.size() >= 2 && name[1] == L':') || (!name.empty() && name[0] == L'\\');
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    if (IsFullPath(name) || folder.empty())
        return name;
    const wchar_t last = folder.back();
    return last == L'\\' || last == L'/' || last == L':' ? folder + name : folder + L"\\" + name;
}

// The NUL-ended text at `at`, cut at the buffer's end.
std::wstring TextAt(const wchar_t* buffer, size_t size, size_t at)
{
    const wchar_t* end = std::find(buffer + at, buffer + size, L'\0');
    return std::wstring(buffer + at, end);
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

std::vector<std::wstring> ParseDialogFiles(const wchar_t* buffer, size_t size, size_t fileOffset)
{
    if (size == 0 || buffer[0] == L'\0')
        return {};
    const bool several = fileOffset > 0 && fileOffset < size && buffer[fileOffset - 1] == L'\0';
    if (!several)
        return {TextAt(buffer, size, 0)};
    const std::wstring folder = TextAt(buffer, size, 0);
    std::vector<std::wstring> files;
    for (size_t at = fileOffset; at < size && buffer[at] != L'\0';) {
        const std::wstring name = TextAt(buffer, size, at);
        files.push_back(JoinPath(folder, name));
        at += name.size() + 1;
    }
    return files;
}

std::wstring FirstChosenFile(const std::wstring& folder, const std::wstring& fileNameText)
{
    std::wstring name;
    if (!fileNameText.empty() && fileNameText[0] == L'"') {
        const size_t close = fileNameText.find(L'"', 1);
        name = fileNameText.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
    } else {
        name = fileNameText;
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
