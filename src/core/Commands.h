#pragma once
// What the program is asked to do from its command line, and the errors in
// asking. Switches start with "/" or "-" and are read without regard to
// case; /add takes the files and folders that follow it, up to the next
// switch. A path starting with "-" is given as ".\-name".
//
// Portable: no Windows header.

#include "core/Exceptions.h"

#include <string>
#include <vector>

// The stored values are part of the message a second start sends to the
// running copy: keep them.
enum class TCommandKind : unsigned char {
    Next = 1,
    Previous = 2,
    Pause = 3,
    Resume = 4,
    Show = 5,
    Add = 6,
};

struct TCommand {
    TCommandKind Kind = TCommandKind::Show;
    std::vector<std::string> Paths; // Add only: files and folders, in the order given

    bool operator==(const TCommand&) const = default;
};

// A command line the program does not understand. The message names what
// was wrong and lists the switches.
class ECommandLineError : public Exception {
public:
    using Exception::Exception;
    static ECommandLineError UnknownSwitch(const std::string& argument);
    static ECommandLineError UnexpectedArgument(const std::string& argument);
    static ECommandLineError NothingToAdd();
    static ECommandLineError TooLongToPass();
};

// The commands, in the order given. Empty arguments name nothing and are
// left out; anything else that is not a known switch, nor a path after
// /add, raises ECommandLineError.
std::vector<TCommand> ParseCommands(const std::vector<std::string>& arguments);
