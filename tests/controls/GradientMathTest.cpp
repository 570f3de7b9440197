#include "controls/GradientMath.h"

#include <gtest/gtest.h>

TEST(GradientColorTable, RunsFromStartToEndWithHalvesToEven)
{
    // 0 -> 3 over 3 entries: steps of 1.5; 1.5 rounds to 2 (even), 3.0 stays.
    auto table = GradientColorTable({0, 0, 0}, {3, 3, 3}, 3);
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0], (RgbColor{0, 0, 0}));
    EXPECT_EQ(table[1], (RgbColor{2, 2, 2}));
    EXPECT_EQ(table[2], (RgbColor{3, 3, 3}));

    // 1 -> 6 over 3 entries: 1 + 2.5 = 3.5 rounds to 4 (even); 0 -> 5: 2.5 -> 2.
    table = GradientColorTable({1, 0, 9}, {6, 5, 9}, 3);
    EXPECT_EQ(table[1], (RgbColor{4, 2, 9}));
}

TEST(GradientColorTable, ButtonFaceGradientEndsExactly)
{
    // The white-to-grey face of the styled button: 64 entries.
    const auto table = GradientColorTable({0xFF, 0xFF, 0xFF}, {0xEF, 0xEB, 0xE7}, 64);
    ASSERT_EQ(table.size(), 64u);
    EXPECT_EQ(table.front(), (RgbColor{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(table.back(), (RgbColor{0xEF, 0xEB, 0xE7}));
    for (size_t i = 1; i < table.size(); ++i) {
        EXPECT_LE(table[i].Red, table[i - 1].Red);
        EXPECT_LE(table[i].Blue, table[i - 1].Blue);
    }
    // Entry 1 of red: 255 - 16/63 = 254.746 -> 255.
    EXPECT_EQ(table[1].Red, 255);
    // Entry 32 of blue: 255 - 32 * 24/63 = 242.81 -> 243.
    EXPECT_EQ(table[32].Blue, 243);
}

TEST(GradientColorTable, DegenerateBandCounts)
{
    EXPECT_TRUE(GradientColorTable({1, 2, 3}, {4, 5, 6}, 0).empty());
    const auto one = GradientColorTable({1, 2, 3}, {4, 5, 6}, 1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0], (RgbColor{1, 2, 3}));
}

TEST(MulDivRounded, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDivRounded(1, 19, 64), 0);   // 0.297
    EXPECT_EQ(MulDivRounded(2, 19, 64), 1);   // 0.594
    EXPECT_EQ(MulDivRounded(1, 1, 2), 1);     // 0.5 -> 1
    EXPECT_EQ(MulDivRounded(3, 1, 2), 2);     // 1.5 -> 2
    EXPECT_EQ(MulDivRounded(-1, 1, 2), -1);   // -0.5 -> -1
    EXPECT_EQ(MulDivRounded(63, 19, 64), 19); // 18.70
    EXPECT_EQ(MulDivRounded(5, 7, 0), -1);
    EXPECT_EQ(MulDivRounded(100000, 30000, 70000), 42857); // the product needs 64 bits
}

TEST(BandStart, NineteenRowsOfSixtyFourBands)
{
    // Bands 0 and 1 both start on row 0; entry 63 starts beyond the last row.
    EXPECT_EQ(BandStart(0, 19, 64), 0);
    EXPECT_EQ(BandStart(1, 19, 64), 0);
    EXPECT_EQ(BandStart(62, 19, 64), 18);
    EXPECT_EQ(BandStart(63, 19, 64), 19);
    // The last band starting on row 18 is 62.
    int last = -1;
    for (int i = 0; i < 64; ++i)
        if (BandStart(i, 19, 64) == 18)
            last = i;
    EXPECT_EQ(last, 62);
}

TEST(ShrinkByBorder, InsetsByBorderAndShownLines)
{
    const InsetRect client{0, 0, 212, 147};
    EXPECT_EQ(ShrinkByBorder(1, true, TBoundLine::All, client), (InsetRect{2, 2, 210, 145}));
    EXPECT_EQ(ShrinkByBorder(1, false, TBoundLine::All, client), (InsetRect{1, 1, 211, 146}));
    EXPECT_EQ(ShrinkByBorder(0, true, TBoundLine::Left | TBoundLine::Bottom, client),
              (InsetRect{1, 0, 212, 146}));
    EXPECT_EQ(ShrinkByBorder(0, true, 0, client), client);
}
