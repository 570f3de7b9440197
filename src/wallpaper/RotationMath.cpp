#include "wallpaper/RotationMath.h"

#include <algorithm>
#include <random>

int ClampRotationMinutes(int minutes)
{
    return std::clamp(minutes, MinRotationMinutes, MaxRotationMinutes);
}

unsigned RotationPeriodMs(int minutes)
{
    return static_cast<unsigned>(ClampRotationMinutes(minutes)) * 60000u;
}

int32_t NextRotationPosition(int32_t position, int32_t count)
{
    // A position taken from a longer list may lie beyond the end, and one
    // past INT32_MAX must not wrap negative.
    if (position < 0 || position >= count - 1)
        return 0;
    return position + 1;
}

int32_t RandomRotationIndex(uint32_t seed, int32_t count)
{
    if (count <= 0)
        return 0;
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int32_t> pick(0, count - 1);
    return pick(generator);
}
