#include "core/ChangeSchedule.h"

#include <gtest/gtest.h>

#include <limits>

TEST(ChangeSchedule, WaitsWhatIsLeftOfTheIntervalSinceTheLastChange)
{
    const int64_t minute = 60'000;
    const int64_t now = 1'700'000'000'000;
    EXPECT_EQ(MillisecondsUntilNextChange(minute, now - 40'000, now), 20'000); // started 40 s after
    EXPECT_EQ(MillisecondsUntilNextChange(minute, now, now), minute);
    EXPECT_EQ(MillisecondsUntilNextChange(minute, now - minute, now), 0);     // due
    EXPECT_EQ(MillisecondsUntilNextChange(minute, now - 9 * minute, now), 0); // overdue: at once
    EXPECT_EQ(MillisecondsUntilNextChange(minute, std::nullopt, now), minute);
}

TEST(ChangeSchedule, AClockSetBackNeverWaitsMoreThanOneInterval)
{
    const int64_t minute = 60'000;
    const int64_t now = 1'700'000'000'000;
    EXPECT_EQ(MillisecondsUntilNextChange(minute, now + 3'600'000, now), minute);
    EXPECT_EQ(MillisecondsUntilNextChange(minute, std::numeric_limits<int64_t>::max(), now), minute);
    EXPECT_EQ(MillisecondsUntilNextChange(minute, std::numeric_limits<int64_t>::min(), now), 0);
    EXPECT_EQ(MillisecondsUntilNextChange(-5, now - 1, now), 0);
}

TEST(ChangeSchedule, StoredTimesReadBackOrAreRefused)
{
    EXPECT_EQ(ParseChangeTime(FormatChangeTime(1'700'000'000'123)), 1'700'000'000'123);
    for (const char* bad : {"", "-1", "12a", " 12", "99999999999999999999", "0x10"})
        EXPECT_EQ(ParseChangeTime(bad), std::nullopt) << bad;
}
