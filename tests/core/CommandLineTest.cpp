#include "core/CommandLineSplit.h"
#include "core/CommandMessage.h"
#include "core/Commands.h"

#include <gtest/gtest.h>

using Args = std::vector<std::string>;

TEST(SplitArguments, FollowsTheSystemsQuoteAndBackslashRules)
{
    EXPECT_EQ(SplitArguments("  /add  \"C:\\My Pictures\\a b.jpg\"\tD:\\x.bmp  "),
              (Args{"/add", "C:\\My Pictures\\a b.jpg", "D:\\x.bmp"}));
    // Backslashes count only before a quote: 2n give n and a quote that
    // toggles, 2n+1 give n and a literal quote.
    EXPECT_EQ(SplitArguments(R"(a\\b a\\\"b a\\\\"b c" "C:\pics\\")"),
              (Args{R"(a\\b)", R"(a\"b)", R"(a\\b c)", R"(C:\pics\)"}));
    EXPECT_EQ(SplitArguments(R"("a\"b" "end\\" x)"), (Args{R"(a"b)", R"(end\)", "x"}));
    // Quotes in the middle of a word join the blanks they enclose.
    EXPECT_EQ(SplitArguments(R"(C:\\"Program Files"\x)"), (Args{R"(C:\Program Files\x)"}));
    EXPECT_EQ(SplitArguments(R"(C:\"Program Files"\x)"), (Args{R"(C:"Program)", R"(Files\x)"}));
    // Inside quotes, two quotes give a literal quote and end the quoted
    // part; three give one and keep it open.
    EXPECT_EQ(SplitArguments(R"("a""b c" d)"), (Args{R"(a"b)", "c d"}));
    EXPECT_EQ(SplitArguments(R"("a"""b c")"), (Args{R"(a"b c)"}));
    EXPECT_EQ(SplitArguments(R"("" x "")"), (Args{"", "x", ""}));
    EXPECT_EQ(SplitArguments("\"open to the end"), (Args{"open to the end"}));
    EXPECT_EQ(SplitArguments(" \t "), Args{});
}

TEST(CommandLineArguments, StepsOverTheProgramNameWithoutEscapes)
{
    EXPECT_EQ(CommandLineArguments(R"("C:\Program Files\Tessivo\tessivo.exe" /next)"), (Args{"/next"}));
    EXPECT_EQ(CommandLineArguments(R"(C:\T\tessivo.exe /show)"), (Args{"/show"}));
    // A backslash before the closing quote of the name escapes nothing.
    EXPECT_EQ(CommandLineArguments(R"("C:\odd\"/pause)"), (Args{"/pause"}));
    EXPECT_EQ(CommandLineArguments("tessivo.exe"), Args{});
    EXPECT_EQ(CommandLineArguments(""), Args{});
}

TEST(ParseCommands, ASwitchAddedToTheTableIsReadListedAndCarriedToTheRunningCopy)
{
    using enum TCommandKind;
    const TSwitch shuffle{"shuffle", static_cast<TCommandKind>(7), false};
    const std::vector<TSwitch> before{{"next", Next, false}, {"add", Add, true}};
    std::vector<TSwitch> after = before;
    after.push_back(shuffle);

    const std::vector<TCommand> commands = ParseCommands({"-Shuffle", "/add", "a.jpg", "/next"}, after);
    const std::vector<TCommand> expected{{shuffle.Kind, {}}, {Add, {"a.jpg"}}, {Next, {}}};
    EXPECT_EQ(commands, expected);
    EXPECT_EQ(SwitchListText(after), "Tessivo understands /next, /add <files or folders> and /shuffle");
    EXPECT_THROW(ParseCommands({"/shuffle"}, before), ECommandLineError);
    // The running copy takes it only when its table has it too.
    EXPECT_EQ(DecodeCommandMessage(EncodeCommandMessage(commands), after), commands);
    EXPECT_FALSE(DecodeCommandMessage(EncodeCommandMessage(commands), before));
}
