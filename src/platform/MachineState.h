#pragma once
// What the machine is doing that an unattended wallpaper change waits for:
// a program holding the whole screen (a game, a presentation, a film in
// full screen) and running on battery power. TSystemMachineState asks
// Windows; tests pass a fake that says what the test needs.

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

class IMachineState {
public:
    virtual ~IMachineState() = default;
    // Windows says the user should not be disturbed now: a full-screen
    // program or Direct3D game runs, or presentation mode is on.
    virtual bool FullScreenProgramRuns() = 0;
    // The machine draws its power from its battery.
    virtual bool OnBattery() = 0;
};

class TSystemMachineState : public IMachineState {
public:
    // SHQueryUserNotificationState; false when it fails.
    bool FullScreenProgramRuns() override;
    // GetSystemPowerStatus; false when it fails or the line status is
    // unknown, so a desktop that cannot tell never waits.
    bool OnBattery() override;
};

// Whether the notification state is one of those where a full-screen
// program holds the screen.
bool MeansFullScreen(QUERY_USER_NOTIFICATION_STATE state);
// Whether the power status says the mains are off (ACLineStatus 0).
bool MeansBattery(const SYSTEM_POWER_STATUS& status);
