#pragma once
// The shell's notification area: adding and removing the program's icon.
// TWin32NotifyIcon is the real one; tests pass a fake that records requests.

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

class INotifyIcon {
public:
    virtual ~INotifyIcon() = default;
    // Shell_NotifyIconW(message, data): NIM_ADD or NIM_DELETE. The shell's
    // answer is returned; callers may ignore it (a second add for the same
    // window and identifier is refused and the one icon stays).
    virtual bool Notify(DWORD message, NOTIFYICONDATAW& data) = 0;
};

class TWin32NotifyIcon : public INotifyIcon {
public:
    bool Notify(DWORD message, NOTIFYICONDATAW& data) override;
};
