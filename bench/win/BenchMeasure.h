#pragma once
// Clocks and memory figures for the Windows benchmark programs.

#include <windows.h>

#include <cstdint>

// Elapsed time from construction, by QueryPerformanceCounter.
class TStopwatch {
public:
    TStopwatch();
    double Milliseconds() const;

private:
    LARGE_INTEGER start_;
    LARGE_INTEGER frequency_;
};

// The processor time this process has used so far, user and kernel, in
// milliseconds: on a busy machine it says more about the work done than the
// elapsed time does.
double ProcessCpuMilliseconds();

struct ProcessMemory {
    // The private bytes (commit charge): PROCESS_MEMORY_COUNTERS_EX's
    // PrivateUsage, or where that is left 0 (Wine 8 does) PagefileUsage,
    // which Windows documents as the same commit charge.
    uint64_t PrivateBytes = 0;
    bool FromPagefileUsage = false;
    uint64_t WorkingSet = 0;     // WorkingSetSize
    uint64_t PeakWorkingSet = 0; // PeakWorkingSetSize
};

// This process's counters (GetProcessMemoryInfo).
ProcessMemory CurrentProcessMemory();

// Bytes as "12.34 MB" (MB = 2^20 bytes).
const char* Megabytes(int64_t bytes, char (&text)[32]);
