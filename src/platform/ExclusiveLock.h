#pragma once
// Holds a slim reader/writer lock exclusively for its scope. The lock needs
// no release of its own, so an SRWLOCK member initialised with
// SRWLOCK_INIT is all a guarded object keeps.

#include <windows.h>

class TExclusiveLock {
public:
    explicit TExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~TExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    TExclusiveLock(const TExclusiveLock&) = delete;
    TExclusiveLock& operator=(const TExclusiveLock&) = delete;

private:
    SRWLOCK& lock_;
};
