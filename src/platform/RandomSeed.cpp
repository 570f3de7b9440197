#include "platform/RandomSeed.h"

#include <windows.h>

uint32_t ClockSeed()
{
    LARGE_INTEGER counter;
    if (QueryPerformanceCounter(&counter))
        return static_cast<uint32_t>(counter.LowPart);
    return GetTickCount();
}
