// The texts the list shows while it works: counts grouped by threes, and
// what a folder scan left out.

#include "lists/ListTexts.h"

#include <gtest/gtest.h>

TEST(ListTexts, AScanCountsInGroupsOfThree)
{
    EXPECT_EQ(ScanningText(0), "Scanning... 0 files");
    EXPECT_EQ(ScanningText(999), "Scanning... 999 files");
    EXPECT_EQ(ScanningText(1000), "Scanning... 1 000 files");
    EXPECT_EQ(ScanningText(12345), "Scanning... 12 345 files");
    EXPECT_EQ(ScanningText(1234567), "Scanning... 1 234 567 files");
    EXPECT_EQ(ScanningText(100000), "Scanning... 100 000 files");
}

TEST(ListTexts, WhatAScanLeftOutIsOneSentenceNamingOnlyWhatHappened)
{
    EXPECT_EQ(LeftOutText(0, 64, 0, 0), "");
    EXPECT_EQ(LeftOutText(1, 64, 0, 0), "Left out of the folder scan: 1 folder more than 64 levels deep");
    EXPECT_EQ(LeftOutText(0, 64, 2, 1),
              "Left out of the folder scan: 2 folders that could not be read and 1 name "
              "with characters that cannot be used");
    EXPECT_EQ(LeftOutText(3, 64, 1, 2),
              "Left out of the folder scan: 3 folders more than 64 levels deep, 1 folder "
              "that could not be read and 2 names with characters that cannot be used");
}
