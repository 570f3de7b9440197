// The program's command table: the command line it reads, and the tray
// menu a row makes.

#include "app/CommandTable.h"
#include "FormFixture.h"

namespace {

using Args = std::vector<std::string>;

TSwitches Switches()
{
    return TMainForm::CommandSwitches();
}

} // namespace

TEST(ProgramCommandLine, ReadsSwitchesInAnyCaseAndTheFilesAfterAdd)
{
    const std::vector<TCommand> commands =
        ParseCommands({"/NEXT", "-previous", "/Pause", "", "-RESUME", "/add", "C:\\a.jpg", "D:\\pics",
                       "/show", "/Follow", "E:\\camera"},
                      Switches());
    const std::vector<TCommand> expected{{TCommandKind::Next, {}},
                                         {TCommandKind::Previous, {}},
                                         {TCommandKind::Pause, {}},
                                         {TCommandKind::Resume, {}},
                                         {TCommandKind::Add, {"C:\\a.jpg", "D:\\pics"}},
                                         {TCommandKind::Show, {}},
                                         {TCommandKind::Follow, {"E:\\camera"}}};
    EXPECT_EQ(commands, expected);
    EXPECT_TRUE(ParseCommands({}, Switches()).empty());
}

TEST(ProgramCommandLine, RefusesWhatItDoesNotUnderstandWithTheListOfSwitches)
{
    const auto messageOf = [](const Args& arguments) {
        try {
            ParseCommands(arguments, Switches());
        } catch (const ECommandLineError& error) {
            return error.Message;
        }
        return std::string("accepted");
    };
    const std::string switches = "Tessivo understands /next, /previous, /pause, /resume, /show, "
                                 "/add <files or folders> and /follow <files or folders>";
    EXPECT_EQ(messageOf({"/next", "/skip"}), "Unknown switch \"/skip\". " + switches);
    EXPECT_EQ(messageOf({"/"}), "Unknown switch \"/\". " + switches);
    EXPECT_EQ(messageOf({"/nextx"}), "Unknown switch \"/nextx\". " + switches);
    EXPECT_EQ(messageOf({"C:\\a.jpg"}),
              "\"C:\\a.jpg\" is not a switch; files and folders follow /add or /follow. " + switches);
    EXPECT_EQ(messageOf({"/show", "x"}),
              "\"x\" is not a switch; files and folders follow /add or /follow. " + switches);
    EXPECT_EQ(messageOf({"/add", "/next"}), "/add needs the files or folders to add. " + switches);
    EXPECT_EQ(messageOf({"/add", ""}), "/add needs the files or folders to add. " + switches);
}

TEST(ProgramCommandLine, ARowAddedToTheTableMakesItsMenuItemInPlace)
{
    std::vector<TCommandRow> rows(TMainForm::Commands().begin(), TMainForm::Commands().end());
    rows.insert(
        rows.end() - 1,
        TCommandRow{
            "shuffle", TMenuPlace::AfterLine, "Shuffle Now", {}, 0, [](TMainForm&, const TCommand&) {}});
    TComponent owner(nullptr);
    const TCommandRow* ran = nullptr;
    TPopupMenu* menu = MakeCommandMenu(&owner, rows, [&](const TCommandRow& row) { ran = &row; });
    std::vector<std::string> captions;
    for (TMenuItem* item : menu->Items())
        captions.push_back(item->Caption());
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Restore Form", "-", "Next Wallpaper", "Previous Wallpaper", "Pause",
                                        "Cancel Scan", "Options\u2026", "-", "Change Wallpaper", "-", "About",
                                        "-", "Shuffle Now", "-", "Exit"}));
    TMenuItem* shuffle = CommandMenuItem(*menu, "shuffle");
    ASSERT_NE(shuffle, nullptr);
    shuffle->Click();
    ASSERT_EQ(ran, &rows[rows.size() - 2]);
    EXPECT_EQ(SwitchesOf(rows).size(), Switches().size());
}
