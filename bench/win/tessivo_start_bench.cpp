// Two measurements of the real program, as a user meets it.
//
//   tessivo_start_bench --start --program=EXE --minimal=EXE [--rounds=N] [--kill]
//     Starts EXE and the minimal program alternately (the order of each pair
//     drawn at random) and times each from CreateProcess until its main
//     window is visible and its thread answers a message; then closes it
//     with WM_CLOSE (with --kill: TerminateProcess) and waits for it to end.
//     Prints each program's median and the ratio.
//
//   tessivo_start_bench --answer --program=EXE --command="/next" [--seconds=N]
//   tessivo_start_bench --answer --program=EXE --apply [--seconds=N]
//     Starts EXE, waits for its window, then starts EXE again with the
//     command (handed over to the first copy), or with --apply presses
//     Enter in its name list (which applies the selected entry, as "Apply"
//     does), and, while that work runs, sends WM_NULL to the main window
//     every 10 ms with SendMessageTimeout. Prints the median and the
//     longest wait and how many waits passed 50 ms.
//
// Both take a visible window of at least 400 x 200 pixels as the main one.
// Run it inside the Wine desktop the programs should share.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

double NowMilliseconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Started {
    PROCESS_INFORMATION Process{};
    HWND Window = nullptr;
    double Milliseconds = 0;
};

struct WindowSearch {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    RECT bounds;
    if (owner != search->ProcessId || !IsWindowVisible(window) || !GetWindowRect(window, &bounds))
        return TRUE;
    if (bounds.right - bounds.left < 400 || bounds.bottom - bounds.top < 200)
        return TRUE;
    search->Found = window;
    return FALSE;
}

PROCESS_INFORMATION Launch(const std::wstring& program, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        throw std::runtime_error("cannot start the program (error " + std::to_string(GetLastError()) + ")");
    return process;
}

// Starts the program and waits (at most 60 s) until its main window shows
// and its thread has come back to its message loop.
Started StartAndWait(const std::wstring& program)
{
    Started started;
    const double start = NowMilliseconds();
    started.Process = Launch(program, L"");
    WindowSearch search{started.Process.dwProcessId, nullptr};
    while (!search.Found) {
        if (NowMilliseconds() - start > 60000 ||
            WaitForSingleObject(started.Process.hProcess, 0) == WAIT_OBJECT_0)
            throw std::runtime_error("the program showed no window");
        Sleep(1);
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutW(search.Found, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
    started.Milliseconds = NowMilliseconds() - start;
    started.Window = search.Found;
    return started;
}

// Ends the program as a user's close does, or with `kill` as Task
// Manager's "End task" or a crash does (no exit sequence, the tray icon left
// behind for the shell to find dead).
void CloseAndWait(Started& started, bool kill = false)
{
    if (kill)
        TerminateProcess(started.Process.hProcess, 1);
    else
        PostMessageW(started.Window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.Process.hProcess, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(started.Process.hProcess, 1);
        WaitForSingleObject(started.Process.hProcess, 5000);
        std::fprintf(stderr, "a program did not end within 30 s of WM_CLOSE\n");
    }
    CloseHandle(started.Process.hThread);
    CloseHandle(started.Process.hProcess);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int MeasureStarts(const std::wstring& program, const std::wstring& minimal, int rounds, bool kill)
{
    std::vector<double> programTimes, minimalTimes;
    std::mt19937 random(12345);
    for (int round = 0; round < rounds; ++round) {
        const bool programFirst = random() % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool isProgram = (turn == 0) == programFirst;
            Started started = StartAndWait(isProgram ? program : minimal);
            (isProgram ? programTimes : minimalTimes).push_back(started.Milliseconds);
            CloseAndWait(started, kill);
            Sleep(300); // let the server settle the ended process
        }
    }
    for (size_t i = 0; i < programTimes.size(); ++i)
        std::printf("round %2zu  program %7.1f ms  minimal %7.1f ms\n", i + 1, programTimes[i],
                    minimalTimes[i]);
    const double programMedian = Median(programTimes), minimalMedian = Median(minimalTimes);
    std::printf(
        "start to window: program median %.1f ms, minimal median %.1f ms, ratio %.2f (goal <= 1.50)\n",
        programMedian, minimalMedian, programMedian / minimalMedian);
    return 0;
}

// The visible list boxes of `window`: the name list (the path list lies
// outside the client area).
BOOL CALLBACK FindNameList(HWND child, LPARAM context)
{
    auto* found = reinterpret_cast<HWND*>(context);
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    RECT bounds, parent;
    GetWindowRect(child, &bounds);
    GetWindowRect(GetAncestor(child, GA_ROOT), &parent);
    if (_wcsicmp(className, L"ListBox") == 0 && IsWindowVisible(child) && bounds.top < parent.bottom &&
        bounds.left < parent.right) {
        *found = child;
        return FALSE;
    }
    return TRUE;
}

// Enter in the name list, as a person presses it there: posted, so it comes
// through the program's own message loop.
void PressEnterInNameList(HWND window)
{
    HWND nameList = nullptr;
    EnumChildWindows(window, FindNameList, reinterpret_cast<LPARAM>(&nameList));
    if (!nameList)
        throw std::runtime_error("the window has no name list");
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(nameList, WM_KEYDOWN, VK_RETURN, 1 | scan);
    PostMessageW(nameList, WM_KEYUP, VK_RETURN, 1 | scan | 0xC0000000);
}

int MeasureAnswers(const std::wstring& program, const std::wstring& command, bool apply, double seconds)
{
    Started started = StartAndWait(program);
    Sleep(1000);
    PROCESS_INFORMATION handOver{};
    if (apply)
        PressEnterInNameList(started.Window);
    else
        handOver = Launch(program, command);
    const double begin = NowMilliseconds();
    double longest = 0, longestAt = 0;
    int pings = 0, over50 = 0;
    std::vector<double> waits;
    for (double next = begin; NowMilliseconds() - begin < seconds * 1000; next += 10) {
        const double sent = NowMilliseconds();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(started.Window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result))
            throw std::runtime_error("the window did not answer within 60 s");
        const double wait = NowMilliseconds() - sent;
        waits.push_back(wait);
        ++pings;
        over50 += wait > 50;
        if (wait > longest) {
            longest = wait;
            longestAt = sent - begin;
        }
        const double now = NowMilliseconds();
        if (next + 10 > now)
            Sleep(static_cast<DWORD>(next + 10 - now));
    }
    DWORD handOverExit = 0;
    if (handOver.hProcess) {
        WaitForSingleObject(handOver.hProcess, 60000);
        GetExitCodeProcess(handOver.hProcess, &handOverExit);
        CloseHandle(handOver.hThread);
        CloseHandle(handOver.hProcess);
    }
    const double closeStart = NowMilliseconds();
    CloseAndWait(started);
    const double closeMs = NowMilliseconds() - closeStart;
    std::printf("%ls: %d pings over %.0f s, median wait %.2f ms, longest wait %.1f ms (at %.0f ms), "
                "%d waits over 50 ms (goal: none); hand-over exit code %lu; closed in %.0f ms\n",
                apply ? L"Apply (Enter in the name list)" : command.c_str(), pings, seconds, Median(waits),
                longest, longestAt, over50, handOverExit, closeMs);
    return 0;
}

std::wstring Option(int argc, wchar_t** argv, const wchar_t* name)
{
    const size_t length = std::wcslen(name);
    for (int i = 1; i < argc; ++i)
        if (std::wcsncmp(argv[i], name, length) == 0)
            return argv[i] + length;
    return L"";
}

bool Flag(int argc, wchar_t** argv, const wchar_t* name)
{
    for (int i = 1; i < argc; ++i)
        if (std::wcscmp(argv[i], name) == 0)
            return true;
    return false;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    try {
        const std::wstring program = Option(argc, argv, L"--program=");
        if (program.empty())
            throw std::runtime_error("--program=EXE is required");
        if (Flag(argc, argv, L"--start")) {
            const std::wstring rounds = Option(argc, argv, L"--rounds=");
            return MeasureStarts(program, Option(argc, argv, L"--minimal="),
                                 rounds.empty() ? 9 : std::stoi(rounds), Flag(argc, argv, L"--kill"));
        }
        if (Flag(argc, argv, L"--answer")) {
            const std::wstring seconds = Option(argc, argv, L"--seconds=");
            return MeasureAnswers(program, Option(argc, argv, L"--command="), Flag(argc, argv, L"--apply"),
                                  seconds.empty() ? 10 : std::stod(seconds));
        }
        throw std::runtime_error("say --start or --answer");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tessivo_start_bench: %s\n", error.what());
        return 1;
    }
}
