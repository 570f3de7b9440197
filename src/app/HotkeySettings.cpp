#include "app/HotkeySettings.h"

#include "app/Settings.h"

namespace {

void ReadShortcut(IRegistryAccessor& settings, const char* name, TShortcut& shortcut)
{
    if (const std::optional<TShortcut> stored = ParseShortcut(ReadStoredText(settings, name)))
        shortcut = *stored;
}

} // namespace

std::vector<THotkeyChoice> HotkeyChoices(const THotkeyOptions& options)
{
    return {{"Next wallpaper", options.Next},
            {"Previous wallpaper", options.Previous},
            {"Pause / Resume", options.Pause}};
}

std::optional<std::string> SameHotkeyTwiceText(const THotkeyOptions& options)
{
    if (!options.Enabled)
        return std::nullopt;
    const std::vector<THotkeyChoice> choices = HotkeyChoices(options);
    for (size_t first = 0; first < choices.size(); ++first)
        for (size_t second = first + 1; second < choices.size(); ++second)
            if (choices[first].Shortcut == choices[second].Shortcut) {
                // Appended in turn: GCC 12 warns wrongly about `"..." + std::string&&`.
                std::string text = "\"";
                text.append(choices[first].Action).append("\" and \"").append(choices[second].Action);
                text.append("\" have the same hotkey, ").append(ShortcutText(choices[first].Shortcut));
                text.append(": choose another for one of them");
                return text;
            }
    return std::nullopt;
}

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
