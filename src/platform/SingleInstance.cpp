#include "platform/SingleInstance.h"

#include "platform/WideText.h"

TSingleInstance::TSingleInstance(const std::string& name)
{
    mutex_ = CreateMutexW(nullptr, FALSE, WideFromUtf8(name).c_str());
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
    static const UINT message = RegisterWindowMessageW(L"Tessivo.Show");
    return message;
}

namespace {

bool Deliver(HWND window, UINT timeout, const std::vector<uint8_t>& commands, uint32_t commandTag)
{
    DWORD_PTR answer = 0;
    if (commands.empty())
        return SendMessageTimeoutW(window, ShowRunningCopyMessage(), 0, 0, SMTO_NORMAL, timeout, &answer) !=
               0;
    COPYDATASTRUCT data{};
    data.dwData = commandTag;
    data.cbData = static_cast<DWORD>(commands.size());
    data.lpData = const_cast<uint8_t*>(commands.data());
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, timeout,
                               &answer) != 0;
}

} // namespace

bool HandOverToRunningCopy(const std::string& windowClass, unsigned waitMs,
                           const std::vector<uint8_t>& commands, uint32_t commandTag)
{
    // Sent, not posted, and tried again: a copy that is still starting
    // rebuilds its main window once, and a message posted to the first one
    // would be lost with it. The answer comes once its message loop runs.
    const std::wstring wideClass = WideFromUtf8(windowClass);
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (HWND window = FindWindowW(wideClass.c_str(), nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            // This start is the one the user just made, so it may pass the
            // foreground on; the running copy could not take it by itself.
            AllowSetForegroundWindow(process);
            const UINT timeout = elapsed < waitMs ? waitMs - elapsed : 1000;
            if (Deliver(window, timeout, commands, commandTag))
                return true;
        }
        if (GetTickCount() - start >= waitMs)
            return false;
        Sleep(50);
    }
}
