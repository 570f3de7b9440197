#pragma once
// When automatic changing is due next, after the program was closed or the
// machine slept: the interval counts from the last change, not from the
// start or the wake-up. Times are wall-clock milliseconds (any fixed epoch),
// so they keep their meaning across restarts.
//
// Portable: no Windows header.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The milliseconds from `now` until the next change, for changes every
// `intervalMs` and the last one at `lastChange`:
//  - no last change known: a whole interval;
//  - overdue (the interval has passed): 0, at once;
//  - otherwise what is left of the interval.
// A last change later than now (the clock was set back, or the stored time
// is wrong) counts as a change just now: the wait never exceeds one
// interval.
int64_t MillisecondsUntilNextChange(int64_t intervalMs, std::optional<int64_t> lastChange, int64_t now);

// The time of a change as stored text (decimal milliseconds) and back;
// nothing for text that is not such a number or is negative.
std::string FormatChangeTime(int64_t time);
std::optional<int64_t> ParseChangeTime(std::string_view text);
