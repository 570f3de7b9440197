#pragma once
// The clock the main form reads: local time and the user's date names.
// An interface so tests can set the time.

#include "core/ClockText.h"

#include <cstdint>

class IClock {
public:
    virtual ~IClock() = default;
    virtual LocalDateTime Now() const = 0;
    virtual DateNames Names() const = 0;
    // Milliseconds on the wall clock from a fixed epoch: times of changes
    // kept across restarts are compared in it.
    virtual int64_t WallClockMs() const = 0;
};

// The platform's local time and the user locale's names.
class SystemClock : public IClock {
public:
    LocalDateTime Now() const override;
    DateNames Names() const override;
    int64_t WallClockMs() const override;
};

// Milliseconds since the system started, never going back (the system's
// tick count, not the C++ runtime's steady clock, whose threads library
// brings ANSI calls into the program).
int64_t SteadyMs();
