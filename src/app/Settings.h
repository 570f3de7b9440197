#pragma once
// The six options kept between runs, as string values under the current
// user's "\Software\Tessivo": the defaults written on a first run, their
// reading at startup, and the writing of the options (with the autostart
// entry) at exit. Putting what was read into the window is
// SettingsReadBack.h.
//
// Portable: the registry is reached through the interface passed in.

#include "app/Autostart.h"
#include "platform/RegistryAccess.h"

#include <string>
#include <vector>

inline constexpr const char* SettingsKeyPath = "\\Software\\Tessivo";

namespace SettingNames {
inline constexpr const char* StartMinimized = "startminimized";
inline constexpr const char* Startup = "startup";
inline constexpr const char* Style = "style";
inline constexpr const char* Random = "random";
inline constexpr const char* StartInAutoRunMode = "startinautorunmode";
inline constexpr const char* Interval = "interval";
} // namespace SettingNames

// The display styles the list holds ("0" Center to "5" Span); "Stretch" is
// the default.
inline constexpr int StyleCount = 6;
inline constexpr int DefaultStyleIndex = 2;

// On a first run (no settings key) makes the key with the default values
// and returns true; an existing key is left as it is, even when values are
// missing. Starting with Windows is on by default for an installed copy
// only: a copy run from a zip or a USB stick does not register itself.
bool EnsureDefaultSettings(IRegistryFactory& registry, bool installed);

// One value of the open settings key as text; empty when it is missing or
// cannot be read as text, so the caller's default stands.
std::string ReadStoredText(IRegistryAccessor& settings, const char* name);

// The options as read at start. Each value is read on its own: a missing
// one (or an empty string) takes the default a first run writes, and so
// does one that cannot be used, whose name is then listed in Reset.
struct TStoredOptions {
    bool StartMinimized = false; // "startminimized": anything but "0" is set
    bool AutoStart = true;       // "startup": anything but "0" is set
    int Style = DefaultStyleIndex;
    bool Random = false;     // "random": "1" is set
    int IntervalMinutes = 1; // held inside the rotation's 1..1000 minutes
    bool AutoRun = false;    // "startinautorunmode": "1" is set
    // Values stored with another type than string or that could not be read,
    // a style the list does not hold, an interval that is not a number.
    std::vector<std::string> Reset;
};

// Reads the options (the key is never made here). A "style" that is not one
// of the list's is written back as the style chosen instead, because it is
// not among the values the exit writes and would otherwise be reset again
// at every start.
TStoredOptions ReadStoredOptions(IRegistryFactory& registry);

// The minutes a rotation waits for the interval text `text`: a number held
// inside 1..1000, 1 for a text that is not a number (as the spin edit and
// the timer read it).
int IntervalMinutesOf(const std::string& text);

// The options as the window holds them at exit.
struct TExitOptions {
    bool AutoStart = false;      // startWithWindowsBox
    bool StartMinimized = false; // startMinimizedBox
    bool AutoRun = false;        // startAutoRunBox
    std::string Interval;        // the text of intervalEdit
    bool Random = false;         // randomBox
    int Style = -1;              // styleBox's index; none is not written
};

// The settings step of the exit. Brings the autostart entry in line with
// the box (see TAutostart::Apply), then writes "startup" (set while any
// entry still starts the program), "startminimized", "startinautorunmode",
// "interval" (the minutes the rotation uses), "random" and "style". A key
// deleted while the program ran (a cleaner, a script, an uninstaller) is
// made again. Raises the registry's error when a value cannot be written;
// the values written before it stay.
void WriteSettingsAtExit(IRegistryFactory& registry, TAutostart& autostart, const TExitOptions& options);

// The user ticked or cleared "Start With Windows": the entries follow at
// once (see TAutostart::TurnOn and Apply) and "startup" records what Windows
// will now do, which is returned. Raises the registry's error when the
// entry cannot be changed.
bool ApplyAutostartChoice(IRegistryFactory& registry, TAutostart& autostart, bool wanted);

// At start: the user wants the program to start with Windows (`wanted`,
// from "startup") and no entry does it yet, nor did the user turn it off in
// Windows' list: the entry is written now, so the box shows the truth for
// the whole run. A registry that refuses leaves things as they are. Returns
// whether Windows will start the program.
bool AlignAutostartAtStart(TAutostart& autostart, bool wanted);

// "1" for true, "0" for false: how a box is stored.
inline const char* BoxValue(bool checked)
{
    return checked ? "1" : "0";
}
