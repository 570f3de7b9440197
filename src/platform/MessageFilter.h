#pragma once
// Messages a window takes from programs with lower rights. When this copy
// runs as administrator, the system drops messages an ordinary program
// sends it (a later start's hand-over, Explorer's "TaskbarCreated") unless
// the window lets them through one by one.

#include <windows.h>

// Lets `message` reach `window` from processes with lower rights. Returns
// whether the system took it (false on a system without the filter, where
// nothing is dropped either).
bool AllowMessageFromLowerRights(HWND window, UINT message);
