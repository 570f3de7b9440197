#include "platform/OrdinalCase.h"

#include <gtest/gtest.h>

// Keys match exactly where the system's ordinal comparison ignoring case
// says two names are the same, in every script; ASCII folding alone would
// miss the Greek, Cyrillic and accented pairs.
TEST(OrdinalCase, KeysAgreeWithTheSystemsComparisonBeyondAscii)
{
    const struct {
        const char* a;
        const char* b;
        bool same;
    } pairs[] = {
        {"C:\\Pics\\Sea.JPG", "c:\\pics\\sea.jpg", true},
        {"C:\\\xCE\xA9mega.jpg", "C:\\\xCF\x89MEGA.JPG", true}, // Ωmega, ωMEGA
        {"C:\\\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE.bmp", "C:\\\xD1\x84\xD0\x9E\xD0\xA2\xD0\x9E.bmp",
         true},                                               // Фото, фОТО
        {"C:\\caf\xC3\xA9.jpg", "C:\\CAF\xC3\x89.jpg", true}, // café, CAFÉ
        {"C:\\stra\xC3\x9F"
         "e.jpg",
         "C:\\STRASSE.jpg", false},                             // ß is not SS
        {"C:\\caf\xC3\xA9.jpg", "C:\\cafe\xCC\x81.jpg", false}, // é, e + combining accent
        {"C:\\a.jpg", "C:\\b.jpg", false},
    };
    for (const auto& pair : pairs) {
        EXPECT_EQ(SameNameIgnoringCase(pair.a, pair.b), pair.same) << pair.a << " / " << pair.b;
        EXPECT_EQ(OrdinalCaseKey(pair.a) == OrdinalCaseKey(pair.b), pair.same) << pair.a << " / " << pair.b;
    }
}
