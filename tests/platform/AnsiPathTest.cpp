// Wide names in the ANSI code page: kept when the code page holds them,
// never replaced by look-alike characters. (Reaching a file through its
// short name, and refusing a name, are tested through the real file dialogs.)

#include "platform/AnsiPath.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <windows.h>

TEST(AnsiPath, TextTheCodePageHoldsIsKeptAndNothingIsBestFitted)
{
    EXPECT_EQ(LosslessAnsi(L"C:\\pics\\sea.jpg"), std::optional<std::string>("C:\\pics\\sea.jpg"));
    EXPECT_EQ(LosslessAnsi(L""), std::optional<std::string>(""));
    if (GetACP() != 1252)
        GTEST_SKIP() << "the cases below are those of code page 1252";
    EXPECT_EQ(LosslessAnsi(L"caf\u00E9.jpg"), std::optional<std::string>("caf\xE9.jpg"));
    // A Greek omega would be best fitted to "O", a dash to "-": neither is.
    EXPECT_EQ(LosslessAnsi(L"\u03A9mega.jpg"), std::nullopt);
    EXPECT_EQ(LosslessAnsi(L"a\u2212b.jpg"), std::nullopt);
    EXPECT_EQ(WideFromAnsi("caf\xE9"), L"caf\u00E9");
}
