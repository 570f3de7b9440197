// Text between the program (UTF-8), the platform's wide calls (UTF-16) and
// the system's code page: names the code page holds are kept, never replaced
// by look-alike characters; text that is not Unicode is refused by name.

#include "platform/SystemCodePage.h"
#include "core/Exceptions.h"
#include "platform/WideText.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <windows.h>

TEST(SystemCodePage, TextTheCodePageHoldsIsKeptAndNothingIsBestFitted)
{
    const TSystemCodePage codePage;
    EXPECT_EQ(codePage.FromUtf8("C:\\pics\\sea.jpg"), std::optional<std::string>("C:\\pics\\sea.jpg"));
    EXPECT_EQ(codePage.FromUtf8(""), std::optional<std::string>(""));
    EXPECT_EQ(codePage.FromUtf8("bad \xe9"), std::nullopt);
    if (GetACP() != 1252)
        GTEST_SKIP() << "the cases below are those of code page 1252";
    EXPECT_EQ(codePage.FromUtf8("caf\xc3\xa9.jpg"), std::optional<std::string>("caf\xE9.jpg"));
    // A Greek omega would be best fitted to "O", a minus sign to "-": neither is.
    EXPECT_EQ(codePage.FromUtf8("\xce\xa9mega.jpg"), std::nullopt);
    EXPECT_EQ(codePage.FromUtf8("a\xe2\x88\x92"
                                "b.jpg"),
              std::nullopt);
    EXPECT_EQ(codePage.ToUtf8("caf\xE9 \x80"), "caf\xc3\xa9 \xe2\x82\xac");
}

TEST(WideText, ConvertsBothWaysAndRefusesWhatIsNotUnicode)
{
    EXPECT_EQ(WideFromUtf8("\xce\xa9\xf0\x9f\x8c\x8a"), std::wstring(L"\u03A9\U0001F30A"));
    EXPECT_EQ(Utf8FromWide(L"\u03A9\U0001F30A"), "\xce\xa9\xf0\x9f\x8c\x8a");
    try {
        WideFromUtf8("caf\xe9.jpg");
        FAIL() << "converted code-page text";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message, "The text \"caf\xef\xbf\xbd.jpg\" is not valid Unicode");
    }
    const wchar_t lone[] = {L'a', 0xD83C, L'.', 0};
    EXPECT_THROW(Utf8FromWide(lone), EConvertError);
    EXPECT_EQ(Utf8FromWideReplacing(lone), "a\xef\xbf\xbd.");
}

TEST(WideText, AFixedFieldGetsTheTextCutWithoutSplittingAPair)
{
    wchar_t field[4] = {1, 1, 1, 1};
    CopyWideToField("ab\xf0\x9f\x8c\x8a", field, 4); // the pair would need places 3 and 4
    EXPECT_EQ(std::wstring(field), L"ab");
    CopyWideToField("a\xf0\x9f\x8c\x8a", field, 4);
    EXPECT_EQ(std::wstring(field), L"a\U0001F30A");
}
