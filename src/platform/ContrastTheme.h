#pragma once
// Whether the user has a contrast theme on (Windows' "high contrast"): the
// program then draws in the system's colours only.

bool ContrastThemeOn();
