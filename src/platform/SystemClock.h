#pragma once
// The clock the main form reads: local time and the user's date names.
// An interface so tests can set the time.

#include "core/ClockText.h"

class IClock {
public:
    virtual ~IClock() = default;
    virtual LocalDateTime Now() const = 0;
    virtual DateNames Names() const = 0;
};

// The platform's local time and the user locale's names.
class SystemClock : public IClock {
public:
    LocalDateTime Now() const override;
    DateNames Names() const override;
};
