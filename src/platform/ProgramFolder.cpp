#include "platform/ProgramFolder.h"

#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "platform/AnsiPath.h"

#include <optional>
#include <vector>
#include <windows.h>

std::string ProgramFileName()
{
    // The wide name, so a folder outside the ANSI code page ("C:\Tools 日本")
    // does not come back with "?" in it; GetModuleFileNameW fills the whole
    // buffer (and truncates) when the path does not fit, so the buffer grows
    // until the path ends inside it.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
        if (length < buffer.size())
            return ProgramPathInAnsi(std::wstring(buffer.data(), length));
        if (buffer.size() >= 32768)
            throw EInOutError::FromErrorCode(ERROR_INSUFFICIENT_BUFFER);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramPathInAnsi(const std::wstring& path)
{
    if (std::optional<std::string> ansi = OpenableAnsiPath(path))
        return *ansi;
    // No short name either (a volume that keeps none): the files beside the
    // program cannot be named. The path still serves as the program's name;
    // each file step reports its own error and the program stays usable.
    std::string lossy;
    for (const wchar_t c : path)
        lossy += c < 0x80 ? static_cast<char>(c) : '?';
    return lossy;
}

std::string ProgramFolder()
{
    return ExtractFilePath(ProgramFileName());
}

void SetCurrentFolder(const std::string& folder)
{
    if (!SetCurrentDirectoryA(folder.c_str()))
        throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
}
