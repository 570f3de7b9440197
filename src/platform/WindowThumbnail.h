#pragma once
// How a window is pictured in Alt+Tab, Task View and the taskbar's peek.

#include <windows.h>

// Pictures `window` by its icon instead of a live thumbnail: a window of no
// size (the taskbar button's) would otherwise show as an empty frame. The
// taskbar button stays. Without the desktop window manager (Wine, older
// systems) nothing changes.
void ShowIconInsteadOfThumbnail(HWND window);
