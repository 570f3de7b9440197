#include "core/ClockText.h"

#include <gtest/gtest.h>

namespace {
DateNames English()
{
    return {{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
            {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
             "November", "December"}};
}
} // namespace

TEST(ClockText, TwelveHourClockWithTwoDigitsEach)
{
    EXPECT_EQ(FormatClockTime({2026, 1, 1, 4, 13, 5, 9}), "01:05:09 PM");
    EXPECT_EQ(FormatClockTime({2026, 1, 1, 4, 0, 0, 0}), "12:00:00 AM");
    EXPECT_EQ(FormatClockTime({2026, 1, 1, 4, 12, 30, 0}), "12:30:00 PM");
    EXPECT_EQ(FormatClockTime({2026, 1, 1, 4, 11, 59, 59}), "11:59:59 AM");
    EXPECT_EQ(FormatClockTime({2026, 1, 1, 4, 23, 0, 1}), "11:00:01 PM");
}

TEST(ClockText, LongDateWithFullNamesAndTwoDigitDay)
{
    EXPECT_EQ(FormatLongDate({2026, 12, 7, 1}, English()), "Monday, 07 December 2026");
    EXPECT_EQ(FormatLongDate({987, 1, 31, 0}, English()), "Sunday, 31 January 0987");
    EXPECT_EQ(TodayHint({2026, 3, 14, 6}, English()), "Today is : Saturday, 14 March 2026");
}
