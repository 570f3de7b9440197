#include "app/MonitorOption.h"

#include "app/Settings.h"
#include "core/Exceptions.h"

bool ReadPerMonitorOption(IRegistryFactory& registry)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    if (!settings->OpenKeyReadOnly(SettingsKeyPath))
        return false;
    try {
        return settings->ReadString(PerMonitorValueName) == "1";
    } catch (const ERegistryException&) {
        return false;
    }
}

void WritePerMonitorOption(IRegistryFactory& registry, bool perMonitor)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    settings->OpenKey(SettingsKeyPath, true);
    settings->WriteString(PerMonitorValueName, BoxValue(perMonitor));
}
