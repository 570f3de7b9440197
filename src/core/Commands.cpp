#include "core/Commands.h"

#include "core/AsciiCase.h"

#include <array>
#include <string_view>

namespace {

// Kept beside the table below: the message lists what it accepts.
constexpr const char* SwitchList = "Tessivo understands /next, /previous, /pause, /resume, /show and "
                                   "/add <files or folders>";

struct TSwitchName {
    std::string_view Name;
    TCommandKind Kind;
};

constexpr std::array<TSwitchName, 6> Switches{{
    {"next", TCommandKind::Next},
    {"previous", TCommandKind::Previous},
    {"pause", TCommandKind::Pause},
    {"resume", TCommandKind::Resume},
    {"show", TCommandKind::Show},
    {"add", TCommandKind::Add},
}};

bool IsSwitch(const std::string& argument)
{
    return !argument.empty() && (argument[0] == '/' || argument[0] == '-');
}

TCommandKind SwitchKind(const std::string& argument)
{
    const std::string_view name = std::string_view(argument).substr(1);
    for (const TSwitchName& known : Switches)
        if (SameIgnoringCase(name, known.Name))
            return known.Kind;
    throw ECommandLineError::UnknownSwitch(argument);
}

} // namespace

ECommandLineError ECommandLineError::UnknownSwitch(const std::string& argument)
{
    return ECommandLineError(FormatText("Unknown switch \"%s\". %s", argument.c_str(), SwitchList));
}

ECommandLineError ECommandLineError::UnexpectedArgument(const std::string& argument)
{
    return ECommandLineError(FormatText("\"%s\" is not a switch; files and folders follow /add. %s",
                                        argument.c_str(), SwitchList));
}

ECommandLineError ECommandLineError::NothingToAdd()
{
    return ECommandLineError(FormatText("/add needs the files or folders to add. %s", SwitchList));
}

ECommandLineError ECommandLineError::TooLongToPass()
{
    return ECommandLineError("The command line is too long to pass to the running Tessivo");
}

std::vector<TCommand> ParseCommands(const std::vector<std::string>& arguments)
{
    std::vector<TCommand> commands;
    auto finishAdd = [&commands] {
        if (!commands.empty() && commands.back().Kind == TCommandKind::Add && commands.back().Paths.empty())
            throw ECommandLineError::NothingToAdd();
    };
    for (const std::string& argument : arguments) {
        if (argument.empty())
            continue;
        if (IsSwitch(argument)) {
            const TCommandKind kind = SwitchKind(argument);
            finishAdd();
            commands.push_back(TCommand{kind, {}});
        } else if (!commands.empty() && commands.back().Kind == TCommandKind::Add) {
            commands.back().Paths.push_back(argument);
        } else {
            throw ECommandLineError::UnexpectedArgument(argument);
        }
    }
    finishAdd();
    return commands;
}
