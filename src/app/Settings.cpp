#include "app/Settings.h"

#include "core/Exceptions.h"
#include "framework/stdctrls/SpinValue.h"
#include "wallpaper/RotationMath.h"

#include <algorithm>
#include <vector>

bool EnsureDefaultSettings(IRegistryFactory& registry, bool installed)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    if (settings->KeyExists(SettingsKeyPath))
        return false;
    settings->OpenKey(SettingsKeyPath, true);
    std::vector<const TOptionRow*> rows;
    for (const TOptionRow& row : OptionTable())
        if (row.FirstRun > 0)
            rows.push_back(&row);
    std::ranges::sort(rows, {}, &TOptionRow::FirstRun);
    for (const TOptionRow* row : rows) {
        const bool startup = std::string(row->Name) == OptionNames::Startup;
        settings->WriteString(row->Name, startup ? BoxValue(installed) : row->Default);
    }
    return true;
}

bool ApplyAutostartChoice(IRegistryFactory& registry, TAutostart& autostart, bool wanted)
{
    const bool starts = wanted ? autostart.TurnOn() : autostart.Apply(false);
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    settings->OpenKey(SettingsKeyPath, true);
    settings->WriteString(OptionNames::Startup, BoxValue(starts));
    return starts;
}

bool AlignAutostartAtStart(TAutostart& autostart, bool wanted)
{
    if (wanted && !autostart.IsRegistered() && !autostart.IsTurnedOff()) {
        try {
            autostart.Apply(true);
        } catch (const ERegistryException&) {
            // The box shows that the program will not start with Windows;
            // the user can tick it and hear why.
        }
    }
    return autostart.IsRegistered();
}

int IntervalMinutesOf(const std::string& text)
{
    return ClampRotationMinutes(ParseSpinNumber(text).value_or(MinRotationMinutes));
}

void WriteSettingsAtExit(IRegistryFactory& registry, TAutostart& autostart, TOptionValues values)
{
    values.SetFlag(OptionNames::Startup, autostart.Apply(values.Flag(OptionNames::Startup)));
    WriteOptions(registry, values, {TWrittenWhen::AtExit, TWrittenWhen::AfterEachChange});
}
