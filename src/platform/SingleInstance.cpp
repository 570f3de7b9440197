#include "platform/SingleInstance.h"

TSingleInstance::TSingleInstance(const std::string& name)
{
    mutex_ = CreateMutexA(nullptr, FALSE, name.c_str());
    // A mutex of that name that this user may not open (another program's,
    // made on purpose) also means someone was first.
    const DWORD error = GetLastError();
    first_ = !(error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED));
}

TSingleInstance::~TSingleInstance()
{
    if (mutex_)
        CloseHandle(mutex_);
}

UINT ShowRunningCopyMessage()
{
    static const UINT message = RegisterWindowMessageA("Tessivo.Show");
    return message;
}

bool HandOverToRunningCopy(const std::string& windowClass, unsigned waitMs)
{
    const DWORD start = GetTickCount();
    HWND window = FindWindowA(windowClass.c_str(), nullptr);
    while (!window && GetTickCount() - start < waitMs) {
        Sleep(50);
        window = FindWindowA(windowClass.c_str(), nullptr);
    }
    if (!window)
        return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // This start is the one the user just made, so it may pass the
    // foreground on; the running copy could not take it by itself.
    AllowSetForegroundWindow(process);
    return PostMessageA(window, ShowRunningCopyMessage(), 0, 0) != FALSE;
}
