#pragma once
// Reading the stored options into the window's controls at startup.

#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/SpinEdit.h"
#include "platform/RegistryAccess.h"

#include <functional>

struct SettingsControls {
    TCheckBox& StartMinimized; // CheckStartMinimized
    TCheckBox& AutoStart;      // CheckAutoStart
    TComboBox& DisplayStyle;   // ComboBoxDisplayStyle
    TCheckBox& Random;         // CheckBoxRandom
    TCheckBox& AutoRun;        // checkAutoRun
    TSpinEdit& Interval;       // SpinEditTimeInterval
    TListBox& PathList;        // ListBox1: auto-run mode starts only with entries
    std::function<void()> ShowWindow;
    std::function<void()> StartAutoChange;
};

// Opens "\Software\Tessivo" (never creating it; a missing key reads every
// value as "") and sets the controls in this order: "startminimized" ("0"
// shows the window and clears the box, anything else sets it and leaves the
// window hidden), "startup" ("0" clears the box), "style" ("0", "1", "2"
// select that item, anything else leaves the list without a choice),
// "random" ("1" sets the box), "interval" (the text, unchanged), and last
// "startinautorunmode" ("1" with entries in the list starts automatic
// changing and sets the box). The interval comes before the start, so a run
// started here already waits the stored number of minutes.
// A value stored with another type than string raises the registry's error
// at its read; the controls after it keep their state.
void ReadSettingsIntoControls(IRegistryFactory& registry, const SettingsControls& controls);
