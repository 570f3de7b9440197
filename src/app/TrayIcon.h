#pragma once
// The program's icon in the notification area: its record, filled afresh at
// every add, and the add and remove requests.

#include "platform/NotifyIcon.h"

// Mouse events over the icon reach the window as this message (the
// mouse-move number, so the form's mouse-move handler sees them).
inline constexpr UINT TrayCallbackMessage = 0x200;
inline constexpr UINT TrayIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

class TTrayIcon {
public:
    explicit TTrayIcon(INotifyIcon& shell) : shell_(shell) {}

    // Fills the record for `window` and `icon` (identifier 0, callback
    // 0x200, tip "Tessivo") and asks the shell to add the icon.
    void Add(HWND window, HICON icon);
    // Asks the shell to remove the icon of the record's window and identifier.
    void Remove();

    const NOTIFYICONDATAW& Data() const { return data_; }

private:
    INotifyIcon& shell_;
    NOTIFYICONDATAW data_{};
};
