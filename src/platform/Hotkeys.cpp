#include "platform/Hotkeys.h"

bool TWin32Hotkeys::Register(HWND window, int id, unsigned modifiers, unsigned key)
{
    // A key held down would otherwise change the wallpaper again and again.
    return RegisterHotKey(window, id, modifiers | MOD_NOREPEAT, key) != FALSE;
}

void TWin32Hotkeys::Unregister(HWND window, int id)
{
    UnregisterHotKey(window, id);
}
