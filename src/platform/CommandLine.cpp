#include "platform/CommandLine.h"

#include "core/CommandLineSplit.h"
#include "platform/WideText.h"

#include <windows.h>

std::vector<std::string> ProgramArguments()
{
    // Replacing: half of a surrogate pair in a name cannot become text; the
    // name then fails to open with a clear error instead of ending the start.
    return CommandLineArguments(Utf8FromWideReplacing(GetCommandLineW()));
}
