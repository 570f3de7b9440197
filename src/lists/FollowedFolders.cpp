#include "lists/FollowedFolders.h"

#include "core/AsciiCase.h"
#include "core/WindowsPaths.h"

#include <string_view>

namespace {

constexpr std::string_view FolderKey = "Folder=";
constexpr std::string_view ExcludedKey = "Excluded=";

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool StartsWith(const std::string& text, std::string_view prefix)
{
    return text.size() >= prefix.size() && std::string_view(text).substr(0, prefix.size()) == prefix;
}

} // namespace

std::vector<std::string> FollowedFolderLines(const std::vector<TFollowedFolder>& folders)
{
    std::vector<std::string> lines;
    if (folders.empty())
        return lines;
    lines.emplace_back(FollowedFoldersMarker);
    for (const TFollowedFolder& folder : folders) {
        lines.push_back(std::string(FolderKey) + folder.Path);
        for (const std::string& excluded : folder.Excluded)
            lines.push_back(std::string(ExcludedKey) + excluded);
    }
    return lines;
}

std::vector<TFollowedFolder> ParseFollowedFolderLines(const std::vector<std::string>& lines)
{
    std::vector<TFollowedFolder> folders;
    bool markerSeen = false;
    // An exclusion after a folder that was passed over is passed over too.
    bool folderTaken = false;
    for (const std::string& line : lines) {
        if (!markerSeen) {
            markerSeen = line == FollowedFoldersMarker;
            continue;
        }
        if (StartsWith(line, FolderKey)) {
            std::string path = WithoutTrailingSeparator(line.substr(FolderKey.size()));
            folderTaken =
                folders.size() < MaxFollowedFolders && IsFullFolderPath(path) && IsNameWindowsAllows(path);
            if (folderTaken)
                folders.push_back({std::move(path), {}});
        } else if (StartsWith(line, ExcludedKey) && folderTaken) {
            std::string path = line.substr(ExcludedKey.size());
            if (IsNameWindowsAllows(path) && IsInsideFolder(path, folders.back().Path))
                folders.back().Excluded.push_back(std::move(path));
        }
    }
    return folders;
}

bool IsFullFolderPath(const std::string& path)
{
    if (path.size() >= 3 && DriveLetterOf(path) != 0 && path[1] == ':' && IsSeparator(path[2]))
        return true;
    // "\\server\share": two separators, then a server name and a share.
    if (path.size() < 5 || !IsSeparator(path[0]) || !IsSeparator(path[1]) || IsSeparator(path[2]))
        return false;
    const size_t shareStart = path.find_first_of("\\/", 2);
    return shareStart != std::string::npos && shareStart + 1 < path.size() &&
           !IsSeparator(path[shareStart + 1]);
}

bool IsInsideFolder(const std::string& path, const std::string& folder)
{
    std::string base = WithoutTrailingSeparator(folder);
    if (base.empty())
        return false;
    if (!IsSeparator(base.back()))
        base.push_back('\\');
    if (path.size() <= base.size() || !IsSeparator(path[base.size() - 1]))
        return false;
    return SameIgnoringCase(std::string_view(path).substr(0, base.size() - 1),
                            std::string_view(base).substr(0, base.size() - 1));
}

std::string WithoutTrailingSeparator(std::string path)
{
    while (!path.empty() && IsSeparator(path.back()) && !(path.size() == 3 && path[1] == ':'))
        path.pop_back();
    return path;
}
