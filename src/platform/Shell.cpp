#include "platform/Shell.h"

#include "core/Exceptions.h"
#include "platform/SystemError.h"
#include "platform/WideText.h"

#include <windows.h>

#include <shellapi.h>

void ShowFileInFolder(const std::string& path)
{
    // Explorer's own switch: open the folder and select the file in it.
    const std::wstring arguments = L"/select,\"" + WideFromUtf8(path) + L"\"";
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", L"explorer.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL));
    // Results up to 32 are errors; most are Win32 error codes.
    if (result <= 32)
        throw Exception(FileAndReason(path, SystemErrorMessage(static_cast<unsigned long>(result))));
}
