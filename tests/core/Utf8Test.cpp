#include "core/Utf8.h"

#include <gtest/gtest.h>

TEST(Utf8, NamesInAnyScriptConvertBothWaysUnchanged)
{
    // Greek, Japanese, an emoji (outside the basic plane: a surrogate pair)
    // and an "e" with a combining accent, which stays two characters.
    const std::string names[] = {"C:\\\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1.jpg",
                                 "\xe5\xaf\x8c\xe5\xa3\xab\xe5\xb1\xb1.bmp", "\xf0\x9f\x8c\x8a.jpg",
                                 "Cafe\xcc\x81.jpg", ""};
    for (const std::string& name : names) {
        EXPECT_TRUE(IsValidUtf8(name));
        const std::optional<std::u16string> wide = Utf16FromUtf8(name);
        ASSERT_TRUE(wide) << name;
        EXPECT_EQ(Utf8FromUtf16(*wide), name);
    }
    EXPECT_EQ(*Utf16FromUtf8("\xf0\x9f\x8c\x8a"), std::u16string({0xD83C, 0xDF0A}));
    EXPECT_EQ(*Utf16FromUtf8("\xce\xa9"), std::u16string(1, 0x03A9));
}

TEST(Utf8, MalformedUtf8IsRefusedOrShownAsReplacement)
{
    const std::string bad[] = {
        "\xe9t\xe9",            // code-page text, not UTF-8
        "\xc3",                 // cut short
        "\xe5\xaf",             // cut short
        "\xc0\xaf",             // overlong "/"
        "\xe0\x80\xaf",         // overlong "/"
        "\xed\xa0\x80",         // a surrogate
        "\xf4\x90\x80\x80",     // past U+10FFFF
        "\x80",                 // stray continuation
        "\xf8\x88\x80\x80\x80", // five-byte form
    };
    for (const std::string& text : bad) {
        EXPECT_FALSE(IsValidUtf8(text)) << testing::PrintToString(text);
        EXPECT_FALSE(Utf16FromUtf8(text)) << testing::PrintToString(text);
    }
    EXPECT_EQ(Utf16FromUtf8Replacing("a\xe9z"), std::u16string(u"a\uFFFDz"));
}

TEST(Utf8, LoneSurrogatesAreRefusedOrShownAsReplacement)
{
    EXPECT_FALSE(Utf8FromUtf16(std::u16string({u'a', 0xD83C})));
    EXPECT_FALSE(Utf8FromUtf16(std::u16string({0xDF0A, u'a'})));
    EXPECT_FALSE(Utf8FromUtf16(std::u16string({0xDF0A, 0xD83C})));
    EXPECT_EQ(Utf8FromUtf16Replacing(std::u16string({u'a', 0xD83C, u'.'})), "a\xef\xbf\xbd.");
}
