// Holds the program's one-copy lock without any window, as a copy stuck in
// its start (or any program taking that name) does, until it is ended.

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HANDLE lock = CreateMutexW(nullptr, FALSE, L"Local\\Tessivo.SingleInstance");
    if (!lock)
        return 1;
    Sleep(120000);
    CloseHandle(lock);
    return 0;
}
