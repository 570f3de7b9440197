#include "core/WindowsPaths.h"

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The length of a "\\?\" or "\\.\" prefix at the start; 0 for none.
size_t LongPathPrefixLength(std::string_view path)
{
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
        (path[2] == '?' || path[2] == '.') && IsSeparator(path[3]))
        return 4;
    return 0;
}

bool StartsWithDrive(std::string_view path)
{
    return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

} // namespace

bool IsNameWindowsAllows(std::string_view path)
{
    size_t start = LongPathPrefixLength(path);
    if (StartsWithDrive(path.substr(start)))
        start += 2;
    for (size_t i = start; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (c < 0x20 || c == '"' || c == '<' || c == '>' || c == '|' || c == '*' || c == '?' || c == ':')
            return false;
    }
    return true;
}

char DriveLetterOf(std::string_view path)
{
    const std::string_view rest = path.substr(LongPathPrefixLength(path));
    if (!StartsWithDrive(rest))
        return 0;
    const char letter = rest[0];
    return letter >= 'a' ? static_cast<char>(letter - 'a' + 'A') : letter;
}

bool NamesAnotherComputer(std::string_view path)
{
    if (path.size() >= 4 && path[0] == '\\' && path[1] == '?' && path[2] == '?' && path[3] == '\\')
        return true;
    if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1]))
        return false;
    // Behind "\\?\" or "\\.\" only a drive is surely this computer's.
    const size_t prefix = LongPathPrefixLength(path);
    return prefix == 0 || !StartsWithDrive(path.substr(prefix));
}

bool IsOnAnotherComputer(std::string_view path, const std::function<bool(char drive)>& driveIsRemote)
{
    if (NamesAnotherComputer(path))
        return true;
    const char drive = DriveLetterOf(path);
    return drive != 0 && driveIsRemote(drive);
}
