#include "app/Settings.h"

void EnsureDefaultSettings(IRegistryFactory& registry)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    if (settings->KeyExists(SettingsKeyPath))
        return;
    settings->OpenKey(SettingsKeyPath, true);
    settings->WriteString(SettingNames::StartMinimized, "0");
    settings->WriteString(SettingNames::Random, "0");
    settings->WriteString(SettingNames::StartInAutoRunMode, "0");
    settings->WriteString(SettingNames::Startup, "1");
    settings->WriteString(SettingNames::Style, "2");
    settings->WriteString(SettingNames::Interval, "1");
}

void WriteSettingsAtExit(IRegistryFactory& registry, TAutostart& autostart, const TExitOptions& options)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    settings->OpenKey(SettingsKeyPath, false);
    // The entry itself is compared with the box, not the stored "startup":
    // on a first run "startup" says "1" while no entry exists, and an entry
    // may have been removed by hand since.
    if (options.AutoStart) {
        if (!autostart.IsRegistered())
            autostart.Add();
    } else if (autostart.IsPresent()) {
        autostart.Remove();
    }
    settings->WriteString(SettingNames::Startup, BoxValue(options.AutoStart));
    settings->WriteString(SettingNames::StartMinimized, BoxValue(options.StartMinimized));
    settings->WriteString(SettingNames::StartInAutoRunMode, BoxValue(options.AutoRun));
    settings->WriteString(SettingNames::Interval, options.Interval);
    settings->WriteString(SettingNames::Random, BoxValue(options.Random));
}
