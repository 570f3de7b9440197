#pragma once
// The arithmetic of automatic changing: the timer period from the minutes
// field, the next position of the sequential rotation, the random choice.
//
// Portable: no Windows header.

#include <cstdint>

// The minutes a rotation may wait between changes. A value outside this range
// would either never tick (0 or less) or overflow the timer's period.
inline constexpr int MinRotationMinutes = 1;
inline constexpr int MaxRotationMinutes = 1000;

// `minutes` held inside MinRotationMinutes..MaxRotationMinutes.
int ClampRotationMinutes(int minutes);

// The timer period for `minutes` (clamped first), in milliseconds.
unsigned RotationPeriodMs(int minutes);

// The sequential rotation's next position: one past `position`, back to 0 at
// or beyond the end of a list of `count` entries.
int32_t NextRotationPosition(int32_t position, int32_t count);

// An index from 0 to count - 1, uniformly distributed, drawn from a generator
// seeded with `seed`; 0 when the list is empty.
int32_t RandomRotationIndex(uint32_t seed, int32_t count);
