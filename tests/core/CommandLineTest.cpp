#include "core/CommandLineSplit.h"
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

TEST(ParseCommands, ReadsSwitchesInAnyCaseAndTheFilesAfterAdd)
{
    const std::vector<TCommand> commands = ParseCommands(
        {"/NEXT", "-previous", "/Pause", "", "-RESUME", "/add", "C:\\a.jpg", "D:\\pics", "/show"});
    const std::vector<TCommand> expected{{TCommandKind::Next, {}},
                                         {TCommandKind::Previous, {}},
                                         {TCommandKind::Pause, {}},
                                         {TCommandKind::Resume, {}},
                                         {TCommandKind::Add, {"C:\\a.jpg", "D:\\pics"}},
                                         {TCommandKind::Show, {}}};
    EXPECT_EQ(commands, expected);
    EXPECT_TRUE(ParseCommands({}).empty());
}

TEST(ParseCommands, RefusesWhatItDoesNotUnderstandWithTheListOfSwitches)
{
    const auto messageOf = [](const Args& arguments) {
        try {
            ParseCommands(arguments);
        } catch (const ECommandLineError& error) {
            return error.Message;
        }
        return std::string("accepted");
    };
    const std::string switches = "Tessivo understands /next, /previous, /pause, /resume, /show and "
                                 "/add <files or folders>";
    EXPECT_EQ(messageOf({"/next", "/skip"}), "Unknown switch \"/skip\". " + switches);
    EXPECT_EQ(messageOf({"/"}), "Unknown switch \"/\". " + switches);
    EXPECT_EQ(messageOf({"/nextx"}), "Unknown switch \"/nextx\". " + switches);
    EXPECT_EQ(messageOf({"C:\\a.jpg"}),
              "\"C:\\a.jpg\" is not a switch; files and folders follow /add. " + switches);
    EXPECT_EQ(messageOf({"/show", "x"}), "\"x\" is not a switch; files and folders follow /add. " + switches);
    EXPECT_EQ(messageOf({"/add", "/next"}), "/add needs the files or folders to add. " + switches);
    EXPECT_EQ(messageOf({"/add", ""}), "/add needs the files or folders to add. " + switches);
}
