#include "platform/SingleInstance.h"

#include "platform/WideText.h"

#include <optional>

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

DWORD SendAnsweredWithin(HWND window, UINT message, LPARAM lParam, unsigned timeoutMs)
{
    DWORD_PTR answer = 0;
    SetLastError(0);
    if (SendMessageTimeoutW(window, message, 0, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &answer))
        return 0;
    const DWORD error = GetLastError();
    return error ? error : static_cast<DWORD>(ERROR_TIMEOUT);
}

namespace {

DWORD Deliver(HWND window, unsigned timeoutMs, const std::vector<uint8_t>& commands, uint32_t commandTag,
              const TMessageSender& send)
{
    if (commands.empty())
        return send(window, ShowRunningCopyMessage(), 0, timeoutMs);
    COPYDATASTRUCT data{};
    data.dwData = commandTag;
    data.cbData = static_cast<DWORD>(commands.size());
    data.lpData = const_cast<uint8_t*>(commands.data());
    return send(window, WM_COPYDATA, reinterpret_cast<LPARAM>(&data), timeoutMs);
}

} // namespace

THandOverResult HandOverToRunningCopy(const std::string& windowClass, const THandOverWaits& waits,
                                      const std::vector<uint8_t>& commands, uint32_t commandTag,
                                      const TMessageSender& send)
{
    // Sent, not posted, and tried again: a copy that is still starting
    // rebuilds its main window once, and a message posted to the first one
    // would be lost with it. The answer comes once its message loop runs.
    const std::wstring wideClass = WideFromUtf8(windowClass);
    const DWORD start = GetTickCount();
    std::optional<DWORD> windowFound;
    for (;;) {
        if (HWND window = FindWindowW(wideClass.c_str(), nullptr)) {
            if (!windowFound)
                windowFound = GetTickCount();
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            // This start is the one the user just made, so it may pass the
            // foreground on; the running copy could not take it by itself.
            AllowSetForegroundWindow(process);
            const DWORD error = Deliver(window, waits.TryMs, commands, commandTag, send);
            if (error == 0)
                return THandOverResult::Delivered;
            // Asking again cannot help: the system drops every such message.
            // A window destroyed before it took the message (a copy still
            // starting rebuilds its window once) is told the same way by
            // Wine, so only a window still there counts as refusing.
            if (error == ERROR_ACCESS_DENIED && IsWindow(window))
                return THandOverResult::Refused;
        }
        const DWORD now = GetTickCount();
        if (!windowFound && now - start >= waits.WindowMs)
            return THandOverResult::NoWindow;
        if (windowFound && now - *windowFound >= waits.AnswerMs)
            return THandOverResult::NotAnswering;
        Sleep(50);
    }
}
