// The states of Windows that make an automatic change wait, and the real
// queries under Wine, where no full-screen program runs and no battery is.

#include "platform/MachineState.h"

#include <gtest/gtest.h>

TEST(MachineState, OnlyAFullScreenProgramOrAPresentationAndUnpluggedMainsMeanWaiting)
{
    // 7 is QUNS_APP (Windows 8 on).
    for (int state = QUNS_NOT_PRESENT; state <= 7; ++state) {
        const bool waits =
            state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
        EXPECT_EQ(MeansFullScreen(static_cast<QUERY_USER_NOTIFICATION_STATE>(state)), waits) << state;
    }
    SYSTEM_POWER_STATUS status{};
    for (const auto& [line, battery] : {std::pair<BYTE, bool>{0, true}, {1, false}, {255, false}}) {
        status.ACLineStatus = line;
        EXPECT_EQ(MeansBattery(status), battery) << int(line);
    }
    TSystemMachineState system;
    EXPECT_FALSE(system.FullScreenProgramRuns());
    EXPECT_FALSE(system.OnBattery());
}
