#include "app/TrayIcon.h"

#include "platform/WideText.h"

bool TTrayIcon::Add(HWND window, HICON icon)
{
    data_ = NOTIFYICONDATAW{};
    // The record's current form, which the version request needs.
    data_.cbSize = sizeof data_;
    data_.hWnd = window;
    data_.uID = 0;
    data_.uFlags = TrayIconFlags;
    data_.uCallbackMessage = TrayCallbackMessage;
    data_.hIcon = icon;
    CopyWideToField("Tessivo", data_.szTip, sizeof data_.szTip / sizeof data_.szTip[0]);
    // Refused: either the shell is not ready, or the icon is already there
    // (a modify succeeds only for an icon the shell holds).
    if (!shell_.Notify(NIM_ADD, data_) && !shell_.Notify(NIM_MODIFY, data_))
        return false;
    // Selecting the icon by mouse or keyboard and its context menu then
    // come as their own events, with the point the menu belongs at.
    NOTIFYICONDATAW version = data_;
    version.uVersion = NOTIFYICON_VERSION_4;
    shell_.Notify(NIM_SETVERSION, version);
    if (tip_ != "Tessivo")
        SetTip(tip_);
    return true;
}

bool TTrayIcon::SetTip(const std::string& tip)
{
    tip_ = tip;
    if (!data_.hWnd)
        return false;
    NOTIFYICONDATAW record = data_;
    record.uFlags = NIF_TIP | NIF_SHOWTIP;
    CopyWideToField(tip, record.szTip, sizeof record.szTip / sizeof record.szTip[0]);
    return shell_.Notify(NIM_MODIFY, record);
}

void TTrayIcon::Remove()
{
    shell_.Notify(NIM_DELETE, data_);
}

bool TTrayIcon::ShowErrorBalloon(const std::string& title, const std::string& text)
{
    if (!data_.hWnd)
        return false;
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    CopyWideToField(title, balloon.szInfoTitle, sizeof balloon.szInfoTitle / sizeof balloon.szInfoTitle[0]);
    CopyWideToField(text, balloon.szInfo, sizeof balloon.szInfo / sizeof balloon.szInfo[0]);
    balloon.dwInfoFlags = NIIF_ERROR;
    return shell_.Notify(NIM_MODIFY, balloon);
}
