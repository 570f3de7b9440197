#pragma once
// The six options kept between runs, as string values under the current
// user's "\Software\Tessivo": the defaults written on a first run, and the
// writing of the options (with the autostart entry) at exit. The reading at
// startup is SettingsReadBack.h.
//
// Portable: the registry is reached through the interface passed in.

#include "app/Autostart.h"
#include "platform/RegistryAccess.h"

#include <string>

inline constexpr const char* SettingsKeyPath = "\\Software\\Tessivo";

namespace SettingNames {
inline constexpr const char* StartMinimized = "startminimized";
inline constexpr const char* Startup = "startup";
inline constexpr const char* Style = "style";
inline constexpr const char* Random = "random";
inline constexpr const char* StartInAutoRunMode = "startinautorunmode";
inline constexpr const char* Interval = "interval";
} // namespace SettingNames

// On a first run (no settings key) makes the key with the default values;
// an existing key is left as it is, even when values are missing.
void EnsureDefaultSettings(IRegistryFactory& registry);

// The options as the window holds them at exit.
struct TExitOptions {
    bool AutoStart = false;      // CheckAutoStart
    bool StartMinimized = false; // CheckStartMinimized
    bool AutoRun = false;        // checkAutoRun
    std::string Interval;        // the text of SpinEditTimeInterval
    bool Random = false;         // CheckBoxRandom
};

// The settings step of the exit. Brings the autostart entry in line with
// the box (set and no entry naming this program: written; clear and an entry
// present: removed), then writes "startup", "startminimized",
// "startinautorunmode", "interval" and "random" into the existing key.
// Raises the registry's error when a value cannot be written (the key was
// removed meanwhile); the values written before it stay.
void WriteSettingsAtExit(IRegistryFactory& registry, TAutostart& autostart, const TExitOptions& options);

// "1" for true, "0" for false: how a box is stored.
inline const char* BoxValue(bool checked)
{
    return checked ? "1" : "0";
}
