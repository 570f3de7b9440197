// The rotation's arithmetic: the timer period, the sequential step and the
// random choice.

#include "wallpaper/RotationMath.h"

#include <climits>
#include <gtest/gtest.h>
#include <set>

TEST(RotationMath, ThePeriodIsTheMinutesHeldInsideOneToAThousandTimesAMinute)
{
    EXPECT_EQ(RotationPeriodMs(5), 300000u);
    EXPECT_EQ(RotationPeriodMs(0), 60000u);
    EXPECT_EQ(RotationPeriodMs(INT_MIN), 60000u);
    EXPECT_EQ(RotationPeriodMs(1000), 60000000u);
    EXPECT_EQ(RotationPeriodMs(INT_MAX), 60000000u);
}

TEST(RotationMath, TheSequentialStepWrapsAtTheEndOfTheList)
{
    int32_t position = 0;
    std::vector<int32_t> seen;
    for (int i = 0; i < 5; ++i)
        seen.push_back(position = NextRotationPosition(position, 3));
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 0, 1, 2}));
    // A place left from a longer list starts again at the top.
    EXPECT_EQ(NextRotationPosition(7, 3), 0);
    EXPECT_EQ(NextRotationPosition(INT32_MAX, 3), 0);
    EXPECT_EQ(NextRotationPosition(0, 1), 0);
}

TEST(RotationMath, TheRandomChoiceCoversTheListAndNothingElse)
{
    std::set<int32_t> seen;
    for (uint32_t seed = 0; seed < 200; ++seed) {
        const int32_t index = RandomRotationIndex(seed, 4);
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 4);
        seen.insert(index);
    }
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_EQ(RandomRotationIndex(12345, 1), 0);
    EXPECT_EQ(RandomRotationIndex(12345, 0), 0);
}
