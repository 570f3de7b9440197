#include "app/MonitorOption.h"

#include "app/Settings.h"

bool ReadPerMonitorOption(IRegistryFactory& registry)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    if (!settings->OpenKeyReadOnly(SettingsKeyPath))
        return false;
    return ReadStoredText(*settings, PerMonitorValueName) == "1";
}

void WritePerMonitorOption(IRegistryFactory& registry, bool perMonitor)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    settings->OpenKey(SettingsKeyPath, true);
    settings->WriteString(PerMonitorValueName, BoxValue(perMonitor));
}
