// How a spin edit reads its text as a number.

#include "framework/stdctrls/SpinValue.h"

#include <climits>
#include <gtest/gtest.h>

TEST(SpinValue, ReadsOnlyWholeDecimalNumbers)
{
    EXPECT_EQ(ParseSpinNumber("42"), 42);
    EXPECT_EQ(ParseSpinNumber("  7 "), 7);
    EXPECT_EQ(ParseSpinNumber("+15"), 15);
    EXPECT_EQ(ParseSpinNumber("-3"), -3);
    EXPECT_EQ(ParseSpinNumber("007"), 7);
    for (const char* text : {"", "   ", "abc", "5abc", "1 2", "+", "-", "0x10", "4.5", "--1"})
        EXPECT_EQ(ParseSpinNumber(text), std::nullopt) << '"' << text << '"';
}

TEST(SpinValue, NumbersBeyondTheIntRangeStayBeyondIt)
{
    EXPECT_EQ(ParseSpinNumber("2147483647"), INT_MAX);
    EXPECT_EQ(ParseSpinNumber("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseSpinNumber("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseSpinNumber("-99999999999999999999999"), INT_MIN);
}

TEST(SpinValue, ValueIsClampedIntoTheRangeAndNonNumbersReadAsTheMinimum)
{
    const SpinRange range{1, 1000};
    EXPECT_EQ(range.ValueOf("5"), 5);
    EXPECT_EQ(range.ValueOf("5000"), 1000);
    EXPECT_EQ(range.ValueOf("0"), 1);
    EXPECT_EQ(range.ValueOf("-7"), 1);
    EXPECT_EQ(range.ValueOf("abc"), 1);
    EXPECT_EQ(range.ValueOf(""), 1);
    EXPECT_EQ(range.ValueOf("99999999999999"), 1000);
}

TEST(SpinValue, EqualBoundsMeanNoLimitsAndReversedBoundsAreReadInOrder)
{
    const SpinRange open{0, 0};
    EXPECT_EQ(open.ValueOf("-5000"), -5000);
    EXPECT_EQ(open.ValueOf("x"), 0);
    const SpinRange reversed{10, 1};
    EXPECT_EQ(reversed.Clamp(50), 10);
    EXPECT_EQ(reversed.Clamp(-5), 1);
    EXPECT_EQ(reversed.Clamp(4), 4);
}
