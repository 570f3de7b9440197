// What other programs and Windows itself do to the desktop while Tessivo
// runs, for the end-to-end tests (run inside the test's Wine desktop):
//
//   desktop_events wallpaper PATH   the user picks PATH in Windows' settings
//   desktop_events displaychange N  N display changes in a burst, as a dock
//                                   or a monitor waking sends them
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wcscmp(argv[1], L"wallpaper") == 0) {
        std::wstring path = argv[2];
        return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(),
                                     SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE)
                   ? 0
                   : 1;
    }
    if (argc == 3 && std::wcscmp(argv[1], L"displaychange") == 0) {
        const int count = std::wcstol(argv[2], nullptr, 10);
        const LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        for (int message = 0; message < count; ++message) {
            SendMessageTimeoutW(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, size, SMTO_ABORTIFHUNG, 2000, nullptr);
            Sleep(100);
        }
        return 0;
    }
    return 2;
}
