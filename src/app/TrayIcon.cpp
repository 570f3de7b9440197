#include "app/TrayIcon.h"

#include "platform/WideText.h"

bool TTrayIcon::Add(HWND window, HICON icon)
{
    data_ = NOTIFYICONDATAW{};
    // The record's first form: the fields up to and including the
    // 64-character tip. Its size is the platform's own (the pointers are
    // wider in a 64-bit program).
    data_.cbSize = NOTIFYICONDATAW_V1_SIZE;
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
    if (tip_ != "Tessivo")
        SetTip(tip_);
    return true;
}

bool TTrayIcon::SetTip(const std::string& tip)
{
    tip_ = tip;
    if (!data_.hWnd)
        return false;
    // The record's second form holds the long tip; the icon's own record
    // keeps the first.
    NOTIFYICONDATAW record = data_;
    record.cbSize = NOTIFYICONDATAW_V2_SIZE;
    record.uFlags = NIF_TIP;
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
    // A balloon needs the record's second form, which holds its texts; the
    // icon's own record keeps the first.
    NOTIFYICONDATAW balloon = data_;
    balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;
    balloon.uFlags = NIF_INFO;
    CopyWideToField(title, balloon.szInfoTitle, sizeof balloon.szInfoTitle / sizeof balloon.szInfoTitle[0]);
    CopyWideToField(text, balloon.szInfo, sizeof balloon.szInfo / sizeof balloon.szInfo[0]);
    balloon.dwInfoFlags = NIIF_ERROR;
    return shell_.Notify(NIM_MODIFY, balloon);
}
