#include "app/SettingsReadBack.h"

#include "app/Settings.h"

void ReadSettingsIntoControls(IRegistryFactory& registry, const SettingsControls& controls)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    settings->OpenKey(SettingsKeyPath, false);

    if (settings->ReadString(SettingNames::StartMinimized) == "0") {
        controls.ShowWindow();
        controls.StartMinimized.SetChecked(false);
    } else {
        controls.StartMinimized.SetChecked(true);
    }

    controls.AutoStart.SetChecked(settings->ReadString(SettingNames::Startup) != "0");

    const std::string style = settings->ReadString(SettingNames::Style);
    for (const char* index : {"0", "1", "2"}) {
        if (style == index)
            controls.DisplayStyle.SetItemIndex(index[0] - '0');
    }

    controls.Random.SetChecked(settings->ReadString(SettingNames::Random) == "1");

    controls.Interval.SetText(settings->ReadString(SettingNames::Interval));

    if (settings->ReadString(SettingNames::StartInAutoRunMode) == "1") {
        if (controls.PathList.Items().Count() > 0) {
            controls.StartAutoChange();
            controls.AutoRun.SetChecked(true);
        }
    } else {
        controls.AutoRun.SetChecked(false);
    }
}
