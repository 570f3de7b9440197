#include "app/TrayIcon.h"

#include "platform/WideText.h"

#include <algorithm>
#include <iterator>

namespace {

// `tip` in the record's field; cut to fit, its last character an ellipsis.
void CopyTip(const std::string& tip, wchar_t (&field)[128])
{
    std::wstring wide = WideFromUtf8Replacing(tip);
    const size_t room = std::size(field) - 1;
    if (wide.size() > room) {
        wide.resize(room - 1);
        // Half a pair would be a lone surrogate.
        if (wide.back() >= 0xD800 && wide.back() <= 0xDBFF)
            wide.pop_back();
        wide += L'\u2026';
    }
    std::copy(wide.begin(), wide.end(), field);
    field[wide.size()] = L'\0';
}

} // namespace

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
    // The tip it had, when the taskbar asks for the icon again.
    CopyTip(tip_, data_.szTip);
    // Refused: either the shell is not ready, or the icon is already there
    // (a modify succeeds only for an icon the shell holds).
    if (!shell_.Notify(NIM_ADD, data_) && !shell_.Notify(NIM_MODIFY, data_))
        return false;
    // Selecting the icon by mouse or keyboard and its context menu then
    // come as their own events, with the point the menu belongs at.
    NOTIFYICONDATAW version = data_;
    version.uVersion = NOTIFYICON_VERSION_4;
    shell_.Notify(NIM_SETVERSION, version);
    return true;
}

std::string TrayTip(const std::string& title, const std::string& state, const std::string& name)
{
    std::string tip = title;
    for (const std::string* part : {&state, &name})
        if (!part->empty())
            tip += " - " + *part;
    return tip;
}

bool TTrayIcon::SetTip(const std::string& tip)
{
    if (tip == tip_)
        return data_.hWnd != nullptr;
    tip_ = tip;
    if (!data_.hWnd)
        return false;
    NOTIFYICONDATAW record = data_;
    record.uFlags = NIF_TIP | NIF_SHOWTIP;
    CopyTip(tip, record.szTip);
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
