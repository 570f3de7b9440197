#include "platform/NotifyIcon.h"

bool TWin32NotifyIcon::Notify(DWORD message, NOTIFYICONDATAA& data)
{
    return Shell_NotifyIconA(message, &data) != FALSE;
}

HICON LoadNotificationIcon(HINSTANCE instance, int id)
{
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                         LR_SHARED));
}
