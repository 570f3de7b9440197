#include "platform/WindowThumbnail.h"

#include "platform/SystemLibrary.h"

#include <dwmapi.h>

void ShowIconInsteadOfThumbnail(HWND window)
{
    // Taken from the system folder when it is used, not imported: dwmapi is
    // not one of the system's known DLLs, and an import would be looked for
    // in the program's folder first.
    const TSystemLibrary dwmapi(L"dwmapi.dll");
    using SetAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    const auto setAttribute = dwmapi.Get<SetAttributeFunction>("DwmSetWindowAttribute");
    if (!setAttribute)
        return;
    const BOOL on = TRUE;
    setAttribute(window, DWMWA_FORCE_ICONIC_REPRESENTATION, &on, sizeof on);
    setAttribute(window, DWMWA_DISALLOW_PEEK, &on, sizeof on);
}
