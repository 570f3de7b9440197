#include "platform/DriveKind.h"

#include <windows.h>

bool DriveIsOnAnotherComputer(char letter)
{
    const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    return GetDriveTypeW(root) == DRIVE_REMOTE;
}
