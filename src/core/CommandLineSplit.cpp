#include "core/CommandLineSplit.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// One argument from `pos` on; `pos` ends past it. The quote state counts
// quotes as the system does: 1 inside a quoted part, a third quote in a row
// stands for itself.
std::string NextArgument(std::string_view text, size_t& pos)
{
    std::string argument;
    int quotes = 0;
    size_t backslashes = 0;
    while (pos < text.size() && !(IsBlank(text[pos]) && quotes == 0)) {
        const char c = text[pos];
        if (c == '\\') {
            argument += c;
            ++backslashes;
            ++pos;
            continue;
        }
        if (c != '"') {
            argument += c;
            backslashes = 0;
            ++pos;
            continue;
        }
        // Of the backslashes just copied, half stay; an odd one out makes
        // this quote a literal one.
        argument.resize(argument.size() - (backslashes + 1) / 2);
        const bool literal = backslashes % 2 == 1;
        backslashes = 0;
        ++pos;
        if (literal) {
            argument += '"';
            continue;
        }
        ++quotes;
        for (; pos < text.size() && text[pos] == '"'; ++pos) {
            if (++quotes == 3) {
                argument += '"';
                quotes = 0;
            }
        }
        if (quotes == 2)
            quotes = 0;
    }
    return argument;
}

} // namespace

std::vector<std::string> SplitArguments(std::string_view arguments)
{
    std::vector<std::string> result;
    size_t pos = 0;
    for (;;) {
        while (pos < arguments.size() && IsBlank(arguments[pos]))
            ++pos;
        if (pos >= arguments.size())
            return result;
        result.push_back(NextArgument(arguments, pos));
    }
}

std::vector<std::string> CommandLineArguments(std::string_view commandLine)
{
    size_t pos = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const size_t close = commandLine.find('"', 1);
        pos = close == std::string_view::npos ? commandLine.size() : close + 1;
    } else {
        while (pos < commandLine.size() && !IsBlank(commandLine[pos]))
            ++pos;
    }
    return SplitArguments(commandLine.substr(pos));
}
