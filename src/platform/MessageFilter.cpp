#include "platform/MessageFilter.h"

namespace {

constexpr DWORD AllowMessage = 1; // MSGFLT_ALLOW and MSGFLT_ADD

template <class Function>
Function User32Function(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

} // namespace

bool AllowMessageFromLowerRights(HWND window, UINT message)
{
    // Looked up, not imported: the per-window filter is Windows 7's, the
    // process-wide one Vista's, and the program must start on either.
    using PerWindowFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    using ProcessFilter = BOOL(WINAPI*)(UINT, DWORD);
    if (const auto perWindow = User32Function<PerWindowFilter>("ChangeWindowMessageFilterEx"))
        return perWindow(window, message, AllowMessage, nullptr) != FALSE;
    if (const auto forProcess = User32Function<ProcessFilter>("ChangeWindowMessageFilter"))
        return forProcess(message, AllowMessage) != FALSE;
    return false;
}
