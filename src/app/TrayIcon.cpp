#include "app/TrayIcon.h"

#include <cstring>

namespace {

void CopyTruncated(char* target, size_t size, const std::string& text)
{
    std::strncpy(target, text.c_str(), size - 1);
    target[size - 1] = '\0';
}

} // namespace

bool TTrayIcon::Add(HWND window, HICON icon)
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
    if (shell_.Notify(NIM_ADD, data_))
        return true;
    // Refused: either the shell is not ready, or the icon is already there
    // (a modify succeeds only for an icon the shell holds).
    return shell_.Notify(NIM_MODIFY, data_);
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
    NOTIFYICONDATAA balloon = data_;
    balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    balloon.uFlags = NIF_INFO;
    CopyTruncated(balloon.szInfoTitle, sizeof balloon.szInfoTitle, title);
    CopyTruncated(balloon.szInfo, sizeof balloon.szInfo, text);
    balloon.dwInfoFlags = NIIF_ERROR;
    return shell_.Notify(NIM_MODIFY, balloon);
}
