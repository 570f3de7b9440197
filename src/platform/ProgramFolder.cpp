#include "platform/ProgramFolder.h"

#include "core/Exceptions.h"
#include "core/FileNames.h"

#include <vector>
#include <windows.h>

std::string ProgramFileName()
{
    // GetModuleFileNameA fills the whole buffer (and truncates) when the path
    // does not fit, so the buffer grows until the path ends inside it.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        if (buffer.size() >= 32768)
            throw EInOutError::FromErrorCode(ERROR_INSUFFICIENT_BUFFER);
        buffer.resize(buffer.size() * 2);
    }
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
