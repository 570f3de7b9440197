#pragma once
// The program's own icon, the executable's icon resource, loaded shared: the
// system keeps it for the process's life, so nobody destroys it.

#include <windows.h>

// At the system's large-icon size, for window classes.
HICON LoadProgramIcon();

// At the notification area's own size (the small-icon metric), not the large
// icon shrunk.
HICON LoadSmallProgramIcon();
