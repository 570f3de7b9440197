#include "core/Commands.h"

#include "core/AsciiCase.h"

#include <string_view>

namespace {

bool IsSwitch(const std::string& argument)
{
    return !argument.empty() && (argument[0] == '/' || argument[0] == '-');
}

const TSwitch& SwitchNamed(const std::string& argument, TSwitches switches)
{
    const std::string_view name = std::string_view(argument).substr(1);
    for (const TSwitch& known : switches)
        if (SameIgnoringCase(name, known.Name))
            return known;
    throw ECommandLineError::UnknownSwitch(argument, switches);
}

} // namespace

std::string SwitchListText(TSwitches switches)
{
    std::string text = "Tessivo understands ";
    for (size_t i = 0; i < switches.size(); ++i) {
        text += i == 0 ? "/" : i + 1 == switches.size() ? " and /" : ", /";
        text += switches[i].Name;
        if (switches[i].TakesPaths)
            text += " <files or folders>";
    }
    return text;
}

const TSwitch* SwitchOf(TCommandKind kind, TSwitches switches)
{
    for (const TSwitch& known : switches)
        if (known.Kind == kind)
            return &known;
    return nullptr;
}

ECommandLineError ECommandLineError::UnknownSwitch(const std::string& argument, TSwitches switches)
{
    return ECommandLineError(
        FormatText("Unknown switch \"%s\". %s", argument.c_str(), SwitchListText(switches).c_str()));
}

ECommandLineError ECommandLineError::UnexpectedArgument(const std::string& argument, TSwitches switches)
{
    std::string takers;
    for (const TSwitch& known : switches)
        if (known.TakesPaths)
            takers += (takers.empty() ? "/" : " or /") + std::string(known.Name);
    return ECommandLineError(FormatText("\"%s\" is not a switch; files and folders follow %s. %s",
                                        argument.c_str(), takers.c_str(), SwitchListText(switches).c_str()));
}

ECommandLineError ECommandLineError::NothingToAdd(const TSwitch& taking, TSwitches switches)
{
    return ECommandLineError(FormatText("/%s needs the files or folders to add. %s", taking.Name,
                                        SwitchListText(switches).c_str()));
}

ECommandLineError ECommandLineError::TooLongToPass()
{
    return ECommandLineError("The command line is too long to pass to the running Tessivo");
}

std::vector<TCommand> ParseCommands(const std::vector<std::string>& arguments, TSwitches switches)
{
    std::vector<TCommand> commands;
    const TSwitch* taking = nullptr;
    auto finishPaths = [&] {
        if (taking && commands.back().Paths.empty())
            throw ECommandLineError::NothingToAdd(*taking, switches);
    };
    for (const std::string& argument : arguments) {
        if (argument.empty())
            continue;
        if (IsSwitch(argument)) {
            const TSwitch& known = SwitchNamed(argument, switches);
            finishPaths();
            commands.push_back(TCommand{known.Kind, {}});
            taking = known.TakesPaths ? &known : nullptr;
        } else if (taking) {
            commands.back().Paths.push_back(argument);
        } else {
            throw ECommandLineError::UnexpectedArgument(argument, switches);
        }
    }
    finishPaths();
    return commands;
}
