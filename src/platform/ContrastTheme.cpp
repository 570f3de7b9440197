#include "platform/ContrastTheme.h"

#include <windows.h>

bool ContrastThemeOn()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    // A system that cannot tell has no contrast theme to follow.
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0))
        return false;
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}
