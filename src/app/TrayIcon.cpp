#include "app/TrayIcon.h"

#include "platform/WideText.h"

void TTrayIcon::Add(HWND window, HICON icon)
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
    shell_.Notify(NIM_ADD, data_);
}

void TTrayIcon::Remove()
{
    shell_.Notify(NIM_DELETE, data_);
}
