#include "app/TrayIcon.h"

#include <cstring>

void TTrayIcon::Add(HWND window, HICON icon)
{
    data_ = NOTIFYICONDATAA{};
    // The record's first form: the fields up to and including the 64-byte
    // tip. Its size is the platform's own (88 bytes in a 32-bit program, 104
    // in a 64-bit one, where the pointers are wider).
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.hWnd = window;
    data_.uID = 0;
    data_.uFlags = TrayIconFlags;
    data_.uCallbackMessage = TrayCallbackMessage;
    data_.hIcon = icon;
    std::strncpy(data_.szTip, "Tessivo", sizeof data_.szTip - 1);
    shell_.Notify(NIM_ADD, data_);
}

void TTrayIcon::Remove()
{
    shell_.Notify(NIM_DELETE, data_);
}
