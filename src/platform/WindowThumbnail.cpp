#include "platform/WindowThumbnail.h"

#include <dwmapi.h>

void ShowIconInsteadOfThumbnail(HWND window)
{
    const BOOL on = TRUE;
    DwmSetWindowAttribute(window, DWMWA_FORCE_ICONIC_REPRESENTATION, &on, sizeof on);
    DwmSetWindowAttribute(window, DWMWA_DISALLOW_PEEK, &on, sizeof on);
}
