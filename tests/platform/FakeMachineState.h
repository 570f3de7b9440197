#pragma once
// The machine's state for tests: a full-screen program and the battery as
// the test sets them, and how often each was asked about.

#include "platform/MachineState.h"

class TFakeMachineState : public IMachineState {
public:
    bool FullScreenProgramRuns() override
    {
        ++FullScreenQueries;
        return FullScreen;
    }
    bool OnBattery() override
    {
        ++BatteryQueries;
        return Battery;
    }

    bool FullScreen = false;
    bool Battery = false;
    int FullScreenQueries = 0;
    int BatteryQueries = 0;
};
