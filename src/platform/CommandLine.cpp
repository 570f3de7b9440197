#include "platform/CommandLine.h"

#include "core/CommandLineSplit.h"
#include "platform/WideText.h"

#include <windows.h>

std::vector<std::string> ProgramArguments()
{
    // Replacing: half of a surrogate pair in a name cannot become text; the
    // name then fails to open with a clear error instead of ending the start.
    return CommandLineArguments(Utf8FromWideReplacing(GetCommandLineW()));
}

std::string FullPath(const std::string& path)
{
    try {
        const std::wstring wide = WideFromUtf8(path);
        const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
        if (size == 0)
            return path;
        std::wstring full(size, L'\0');
        const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
        if (length == 0 || length >= size)
            return path;
        full.resize(length);
        return Utf8FromWide(full);
    } catch (const std::exception&) {
        return path;
    }
}
