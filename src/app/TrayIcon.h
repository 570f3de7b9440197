#pragma once
// The program's icon in the notification area: its record, filled afresh at
// every add, the add and remove requests, and balloons from the icon.

#include "platform/NotifyIcon.h"

#include <cstddef>
#include <string>

// The icon's events reach the window as this message, in the shell's
// current form (version 4): the event in the low word of lParam (NIN_SELECT,
// NIN_KEYSELECT, WM_CONTEXTMENU...), the point it happened at in wParam.
inline constexpr UINT TrayCallbackMessage = WM_APP + 2;
inline constexpr UINT TrayIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;

// The tip "<title> - <state> - <picture's name>", without the parts that
// are empty. The name comes last: a tip too long for the shell loses the
// end of the name, never what the program says.
std::string TrayTip(const std::string& title, const std::string& state, const std::string& name);

class TTrayIcon {
public:
    explicit TTrayIcon(INotifyIcon& shell) : shell_(shell) {}

    // Fills the record for `window` and `icon` (identifier 0, the callback
    // message above, the tip set last, "Tessivo" at first), asks the shell to add the icon and to
    // speak the current protocol with it. Returns
    // whether the icon is in the notification area afterwards: an add the
    // shell refuses because an earlier one did arrive (one that timed out,
    // say) still counts.
    bool Add(HWND window, HICON icon);
    // Asks the shell to remove the icon of the record's window and identifier.
    void Remove();
    // A balloon from the icon with the error icon; returns whether the
    // shell took it (it does not while the icon is missing).
    bool ShowErrorBalloon(const std::string& title, const std::string& text);

    // The tip shown over the icon, kept for the icon's next add. Longer
    // than the shell's 127 characters, its end gives way to an ellipsis.
    // Returns whether the shell took it; the tip the icon has already is not
    // sent again.
    bool SetTip(const std::string& tip);
    const std::string& Tip() const { return tip_; }

    const NOTIFYICONDATAW& Data() const { return data_; }

private:
    INotifyIcon& shell_;
    NOTIFYICONDATAW data_{};
    std::string tip_ = "Tessivo";
};
