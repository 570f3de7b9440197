#pragma once
// What the program is asked to do from its command line, and the errors in
// asking. Switches start with "/" or "-" and are read without regard to
// case; the program's table of commands says which there are. A switch that
// takes paths takes the files and folders that follow it, up to the next
// switch. A path starting with "-" is given as ".\-name".
//
// Portable: no Windows header.

#include "core/Exceptions.h"

#include <span>
#include <string>
#include <vector>

// The commands a command line can give. The stored values are part of the
// message a second start sends to the running copy: keep them.
enum class TCommandKind : unsigned char {
    Next = 1,
    Previous = 2,
    Pause = 3,
    Resume = 4,
    Show = 5,
    Add = 6,
    Follow = 7,
};

struct TCommand {
    TCommandKind Kind = TCommandKind::Show;
    std::vector<std::string> Paths; // Add and Follow: files and folders, in the order given

    bool operator==(const TCommand&) const = default;
};

// A switch of the command line: its name without "/" or "-", the command it
// gives, and whether files and folders follow it.
struct TSwitch {
    const char* Name;
    TCommandKind Kind;
    bool TakesPaths;
};
using TSwitches = std::span<const TSwitch>;

// A command line the program does not understand. The message names what
// was wrong and lists the switches.
class ECommandLineError : public Exception {
public:
    using Exception::Exception;
    static ECommandLineError UnknownSwitch(const std::string& argument, TSwitches switches);
    static ECommandLineError UnexpectedArgument(const std::string& argument, TSwitches switches);
    static ECommandLineError NothingToAdd(const TSwitch& taking, TSwitches switches);
    static ECommandLineError TooLongToPass();
};

// "Tessivo understands /a, /b and /c <files or folders>".
std::string SwitchListText(TSwitches switches);

// The switch that gives `kind`; nullptr for none.
const TSwitch* SwitchOf(TCommandKind kind, TSwitches switches);

// The commands, in the order given. Empty arguments name nothing and are
// left out; anything else that is not one of `switches`, nor a path after
// a switch that takes them, raises ECommandLineError.
std::vector<TCommand> ParseCommands(const std::vector<std::string>& arguments, TSwitches switches);
