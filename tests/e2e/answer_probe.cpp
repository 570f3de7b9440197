// Asks the running program's main window for an answer every 10 ms, as any
// other program may, and times each answer: how long the window keeps a
// caller waiting. Prints one line, "probes N longest MS timeouts T".
//
//   answer_probe SECONDS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5;
    // Found by the window class only the main window has.
    HWND window = nullptr;
    for (int tries = 0; !window && tries < 100; ++tries) {
        window = FindWindowW(L"TessivoMainWindow", nullptr);
        if (!window)
            Sleep(50);
    }
    if (!window) {
        std::printf("no window\n");
        return 1;
    }
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const auto elapsedMs = [&](const LARGE_INTEGER& from) {
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    };
    int probes = 0, timeouts = 0;
    double longest = 0;
    while (elapsedMs(start) < seconds * 1000) {
        LARGE_INTEGER sent;
        QueryPerformanceCounter(&sent);
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result))
            ++timeouts;
        longest = std::max(longest, elapsedMs(sent));
        ++probes;
        Sleep(10);
    }
    std::printf("probes %d longest %.0f timeouts %d\n", probes, longest, timeouts);
    std::fflush(stdout);
    return 0;
}
