#include "app/HotkeySettings.h"

#include "app/Settings.h"

namespace {

void ReadShortcut(IRegistryAccessor& settings, const char* name, TShortcut& shortcut)
{
    if (const std::optional<TShortcut> stored = ParseShortcut(ReadStoredText(settings, name)))
        shortcut = *stored;
}

} // namespace

THotkeyOptions ReadHotkeyOptions(IRegistryFactory& registry)
{
    THotkeyOptions options;
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    if (!settings->OpenKeyReadOnly(SettingsKeyPath))
        return options;
    options.Enabled = ReadStoredText(*settings, HotkeyNames::Enabled) == "1";
    ReadShortcut(*settings, HotkeyNames::Next, options.Next);
    ReadShortcut(*settings, HotkeyNames::Previous, options.Previous);
    ReadShortcut(*settings, HotkeyNames::Pause, options.Pause);
    return options;
}

void WriteHotkeyOptions(IRegistryFactory& registry, const THotkeyOptions& options)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    settings->OpenKey(SettingsKeyPath, true);
    settings->WriteString(HotkeyNames::Enabled, BoxValue(options.Enabled));
    settings->WriteString(HotkeyNames::Next, ShortcutText(options.Next));
    settings->WriteString(HotkeyNames::Previous, ShortcutText(options.Previous));
    settings->WriteString(HotkeyNames::Pause, ShortcutText(options.Pause));
}
