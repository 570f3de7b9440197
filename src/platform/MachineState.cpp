#include "platform/MachineState.h"

bool MeansFullScreen(QUERY_USER_NOTIFICATION_STATE state)
{
    // The screen saver, a locked session and quiet hours are not a program
    // the user watches: a change then disturbs nobody.
    return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
}

bool MeansBattery(const SYSTEM_POWER_STATUS& status)
{
    return status.ACLineStatus == 0;
}

bool TSystemMachineState::FullScreenProgramRuns()
{
    QUERY_USER_NOTIFICATION_STATE state{};
    return SUCCEEDED(SHQueryUserNotificationState(&state)) && MeansFullScreen(state);
}

bool TSystemMachineState::OnBattery()
{
    SYSTEM_POWER_STATUS status{};
    return GetSystemPowerStatus(&status) && MeansBattery(status);
}
