#include "platform/SystemLibrary.h"

namespace {

// Kernel32 is always loaded, and known to the system: its own functions are
// looked up in it, so the program still starts where they are missing.
template <class Function>
Function Kernel32Function(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

} // namespace

bool SearchDllsInSystemFolderOnly()
{
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    if (const auto setDefault =
            Kernel32Function<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories"))
        if (setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
            return true;
    // Windows 7 without the update: the program's folder stays on the
    // search, the current folder at least goes.
    SetDllDirectoryW(L"");
    return false;
}

std::wstring SystemFolderFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(folder, length) + L"\\" + name;
}

TSystemLibrary::TSystemLibrary(const wchar_t* name)
{
    // A full path, which every Windows understands; the library's own
    // imports are then looked for beside it, in the system folder, first.
    const std::wstring path = SystemFolderFile(name);
    if (!path.empty())
        module_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

TSystemLibrary::~TSystemLibrary()
{
    if (module_)
        FreeLibrary(module_);
}
