#pragma once
// A seed for the random choice, taken from the clock at the moment of asking.

#include <cstdint>

// The low 32 bits of the high-resolution performance counter, or the
// system's millisecond tick count when that counter is not available.
uint32_t ClockSeed();
