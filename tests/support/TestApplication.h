#pragma once
// Helpers for tests that run inside the Windows test program.

#include "framework/Application.h"

#include <string>
#include <vector>

struct CapturedError {
    std::string Caption;
    std::string Text;
};

// Errors that reached the application's error handler, oldest first.
std::vector<CapturedError>& CapturedErrors();

// Handles the waiting messages for about `milliseconds`, through the
// application's own dispatch.
void PumpMessages(int milliseconds);

// Handles messages until `done` returns true or `timeoutMs` passes; returns
// whether `done` became true.
template <class Done>
bool PumpUntil(Done done, int timeoutMs = 5000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (static_cast<int>(GetTickCount() - start) > timeoutMs)
            return false;
        PumpMessages(5);
    }
    return true;
}
