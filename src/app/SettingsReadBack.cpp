#include "app/SettingsReadBack.h"

#include "app/Settings.h"
#include "core/Exceptions.h"
#include "framework/Application.h"

#include <string>

void ReadSettingsIntoControls(IRegistryFactory& registry, TAutostart& autostart,
                              const SettingsControls& controls)
{
    const TStoredOptions options = ReadStoredOptions(registry);

    controls.StartMinimized.SetChecked(options.StartMinimized);
    if (!options.StartMinimized)
        controls.ShowWindow();
    // The box shows what Windows will do at the next logon: an entry the
    // user cannot remove (under the machine's Run key) starts the program
    // whatever "startup" says, and one turned off in Windows' list of
    // startup apps does not.
    controls.AutoStart.SetChecked(AlignAutostartAtStart(autostart, options.AutoStart));
    controls.DisplayStyle.SetItemIndex(options.Style);
    controls.Random.SetChecked(options.Random);
    controls.Interval.SetText(std::to_string(options.IntervalMinutes));
    // The box keeps the user's choice even when there is nothing to run yet,
    // so the exit stores it back as it was.
    controls.AutoRun.SetChecked(options.AutoRun);
    if (options.AutoRun && !controls.List.Empty())
        controls.StartAutoChange();

    // Told once, after the start; the start itself goes on.
    if (!options.Reset.empty())
        TApplication::ReportException(ERegistryException::OptionsReset(options.Reset));
}
