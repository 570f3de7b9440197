#pragma once
// The hourglass over every window of the program for one scope, while a slow
// step runs: the cursor shown before comes back when the scope ends, whether
// the step succeeded or raised an error.

#include "framework/Application.h"

class TBusyCursor {
public:
    TBusyCursor() : previous_(Application->Cursor()) { Application->SetCursor(crHourGlass); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
    ~TBusyCursor() { Application->SetCursor(previous_); }

private:
    TCursor previous_;
};
