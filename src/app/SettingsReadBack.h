#pragma once
// The options and the controls that show them (the table's "shown by"
// column): putting values into a window's controls, taking them back, and
// the read-back of the stored options into the main window at startup.

#include "app/Autostart.h"
#include "app/OptionTable.h"
#include "framework/Component.h"

#include <functional>

// Shows each option whose control is among `owner`'s components in it: a
// box is ticked for a set flag, a list selects the style or the key
// combination, a number field shows the number.
void ShowOptions(TComponent& owner, const TOptionValues& values);
// Takes the value of each option whose control is among `owner`'s
// components into `values`.
void TakeOptions(const TComponent& owner, TOptionValues& values);

// What the read-back does besides setting the controls.
struct SettingsActions {
    std::function<void()> ShowWindow;
    // Starts automatic changing when the list has entries.
    std::function<void()> StartAutoChange;
};

// Shows the options read at start in the main window `window`. The
// autostart box shows what Windows will do at the next logon ("startup",
// aligned with the entries, see AlignAutostartAtStart); a clear
// "startminimized" shows the window; a set "startinautorunmode" starts
// automatic changing, after the interval is shown, so a run started here
// already waits the stored number of minutes. Values that were reset to
// their defaults are reported in one message at the end.
void ReadSettingsIntoControls(TOptionValues values, TAutostart& autostart, TComponent& window,
                              const SettingsActions& actions);
