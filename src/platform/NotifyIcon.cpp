#include "platform/NotifyIcon.h"

bool TWin32NotifyIcon::Notify(DWORD message, NOTIFYICONDATAW& data)
{
    return Shell_NotifyIconW(message, &data) != FALSE;
}

HICON LoadNotificationIcon(HINSTANCE instance, int id)
{
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                         LR_SHARED));
}
