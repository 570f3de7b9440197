#pragma once
// The options' rules beyond their table (OptionTable.h): the defaults a
// first run writes, the autostart entry that "startup" stands for, and the
// exit's writing. Putting what was read into the window is
// SettingsReadBack.h.
//
// Portable: the registry is reached through the interface passed in.

#include "app/Autostart.h"
#include "app/OptionTable.h"

#include <string>

// On a first run (no settings key) makes the key with the default values
// and returns true; an existing key is left as it is, even when values are
// missing. Starting with Windows is on by default for an installed copy
// only: a copy run from a zip or a USB stick does not register itself.
bool EnsureDefaultSettings(IRegistryFactory& registry, bool installed);

// The minutes a rotation waits for the interval text `text`: a number held
// inside 1..1000, 1 for a text that is not a number (as the spin edit and
// the timer read it).
int IntervalMinutesOf(const std::string& text);

// The settings step of the exit, with `values` as the window holds them.
// Brings the autostart entry in line with "startup" (see TAutostart::Apply)
// and stores whether any entry still starts the program, then writes the
// values written at exit and the rotation's state (OptionTable.h). Raises
// the registry's error when a value cannot be written; the values written
// before it stay.
void WriteSettingsAtExit(IRegistryFactory& registry, TAutostart& autostart, TOptionValues values);

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
