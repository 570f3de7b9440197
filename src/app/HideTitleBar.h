#pragma once
#include <windows.h>

// Shows or hides a window's title bar (the caption bits) while keeping its
// client area the same size; returns the new window style.
LONG HideTitleBar(HWND window, bool hide);
