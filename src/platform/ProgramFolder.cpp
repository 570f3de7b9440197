#include "platform/ProgramFolder.h"

#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "platform/WideText.h"

#include <vector>
#include <windows.h>

std::string ProgramFileName()
{
    // GetModuleFileNameW fills the whole buffer (and truncates) when the path
    // does not fit, so the buffer grows until the path ends inside it. The
    // longest path the system allows is 32 767 characters.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
        if (length < buffer.size())
            return Utf8FromWide(std::wstring_view(buffer.data(), length));
        if (buffer.size() > 32768)
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
    if (!SetCurrentDirectoryW(WideFromUtf8(folder).c_str()))
        throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
}
