#include "app/HideTitleBar.h"

LONG HideTitleBar(HWND window, bool hide)
{
    LONG style = GetWindowLongW(window, GWL_STYLE);
    if (hide)
        style &= ~WS_CAPTION;
    else
        style |= WS_CAPTION;
    RECT client;
    GetClientRect(window, &client);
    SetWindowLongW(window, GWL_STYLE, style);
    // The outer size this client area needs under the new style.
    AdjustWindowRect(&client, static_cast<DWORD>(style), GetMenu(window) != nullptr);
    SetWindowPos(window, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOSENDCHANGING | SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE);
    return style;
}
