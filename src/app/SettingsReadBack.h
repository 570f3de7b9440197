#pragma once
// Reading the stored options into the window's controls at startup.

#include "app/Autostart.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/SpinEdit.h"
#include "lists/ListModel.h"
#include "platform/RegistryAccess.h"

#include <functional>

struct SettingsControls {
    TCheckBox& StartMinimized; // startMinimizedBox
    TCheckBox& AutoStart;      // startWithWindowsBox
    TComboBox& DisplayStyle;   // styleBox
    TCheckBox& Random;         // randomBox
    TCheckBox& AutoRun;        // startAutoRunBox
    TSpinEdit& Interval;       // intervalEdit
    const TListModel& List;    // auto-run mode starts only with entries
    std::function<void()> ShowWindow;
    std::function<void()> StartAutoChange;
};

// Reads the stored options (ReadStoredOptions) and sets the controls:
// "startminimized" clear shows the window; the autostart box is set when
// "startup" says so or an entry that cannot be removed still starts the
// program; the style, "random" and the interval (the minutes the rotation
// uses); last "startinautorunmode", which sets its box and, with entries in
// the list, starts automatic changing. The interval comes before the start,
// so a run started here already waits the stored number of minutes. Values
// that were reset to their defaults are reported in one message at the end.
void ReadSettingsIntoControls(IRegistryFactory& registry, TAutostart& autostart,
                              const SettingsControls& controls);
