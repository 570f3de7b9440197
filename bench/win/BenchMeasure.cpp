#include "BenchMeasure.h"

#include <psapi.h>

#include <cstdio>

TStopwatch::TStopwatch()
{
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
}

double TStopwatch::Milliseconds() const
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 /
           static_cast<double>(frequency_.QuadPart);
}

double ProcessCpuMilliseconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto value = [](const FILETIME& time) {
        return static_cast<double>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    return (value(kernel) + value(user)) / 10000.0;
}

ProcessMemory CurrentProcessMemory()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ProcessMemory memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
        memory.PrivateBytes = counters.PrivateUsage;
        if (memory.PrivateBytes == 0) {
            memory.PrivateBytes = counters.PagefileUsage;
            memory.FromPagefileUsage = true;
        }
        memory.WorkingSet = counters.WorkingSetSize;
        memory.PeakWorkingSet = counters.PeakWorkingSetSize;
    }
    return memory;
}

const char* Megabytes(int64_t bytes, char (&text)[32])
{
    std::snprintf(text, sizeof text, "%.2f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}
