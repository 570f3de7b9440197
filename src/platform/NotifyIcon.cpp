#include "platform/NotifyIcon.h"

bool TWin32NotifyIcon::Notify(DWORD message, NOTIFYICONDATAA& data)
{
    return Shell_NotifyIconA(message, &data) != FALSE;
}
