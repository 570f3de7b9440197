#include "platform/NotifyIcon.h"

bool TWin32NotifyIcon::Notify(DWORD message, NOTIFYICONDATAW& data)
{
    return Shell_NotifyIconW(message, &data) != FALSE;
}
