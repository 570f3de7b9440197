#pragma once
// The shell's notification area: adding, changing and removing the
// program's icon. TWin32NotifyIcon is the real one; tests pass a fake that
// records requests and fails the way the shell does.

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

class INotifyIcon {
public:
    virtual ~INotifyIcon() = default;
    // Shell_NotifyIconW(message, data): NIM_ADD, NIM_MODIFY or NIM_DELETE;
    // returns the shell's answer. An add fails while Explorer is still
    // starting (at logon it can also time out), and a second add for the
    // same window and identifier is refused while the one icon stays.
    virtual bool Notify(DWORD message, NOTIFYICONDATAW& data) = 0;
};

class TWin32NotifyIcon : public INotifyIcon {
public:
    bool Notify(DWORD message, NOTIFYICONDATAW& data) override;
};
