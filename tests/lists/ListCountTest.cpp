#include "core/Exceptions.h"
#include "lists/ListFileReader.h"

#include <climits>
#include <gtest/gtest.h>

TEST(ListCount, AcceptsSignedDecimalAndHexInEachPrefixForm)
{
    struct Case {
        const char* Text;
        int32_t Value;
    };
    const Case cases[] = {
        {"0", 0},
        {"7", 7},
        {"007", 7},
        {"+12", 12},
        {"-3", -3},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"$1a", 26},
        {"$1A", 26},
        {"x10", 16},
        {"X10", 16},
        {"0x10", 16},
        {"0X1f", 31},
        {"-$10", -16},
        {"+0x10", 16},
        {"$000000001", 1},
        {"$7FFFFFFF", INT_MAX},
        // Hex may fill all 32 bits and is read as two's complement.
        {"$FFFFFFFF", -1},
        {"$80000000", INT_MIN},
        {"-$1", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseListCount(c.Text), c.Value) << c.Text;
}

TEST(ListCount, RejectsAnythingElseAsInvalidNumericInput)
{
    const char* const cases[] = {
        "",
        "+",
        "-",
        "$",
        "x",
        "0x",
        "-0x",
        "12a",
        "1.5",
        "1,000",
        "++1",
        "+-1",
        "0x-1",
        "$g",
        "x 1",
        "1e3",
        "\xEF\xBB\xBF"
        "1",
        "2147483648",
        "-2147483649",
        "99999999999",
        "$100000000",
        "0xFFFFFFFF0",
        "00x1",
        "$$1",
        "0b1",
    };
    for (const char* text : cases) {
        try {
            ParseListCount(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), "Invalid numeric input") << text;
        }
    }
}
