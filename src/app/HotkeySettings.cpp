#include "app/HotkeySettings.h"

TShortcut DefaultShortcut(const char* optionName)
{
    return TOptionValues().Shortcut(optionName);
}

THotkeyOptions HotkeyOptionsOf(const TOptionValues& values)
{
    return THotkeyOptions{values.Flag(OptionNames::Hotkeys), values.Shortcut(OptionNames::HotkeyNext),
                          values.Shortcut(OptionNames::HotkeyPrevious),
                          values.Shortcut(OptionNames::HotkeyPause)};
}

void SetHotkeyOptions(TOptionValues& values, const THotkeyOptions& options)
{
    values.SetFlag(OptionNames::Hotkeys, options.Enabled);
    values.Set(OptionNames::HotkeyNext, ShortcutText(options.Next));
    values.Set(OptionNames::HotkeyPrevious, ShortcutText(options.Previous));
    values.Set(OptionNames::HotkeyPause, ShortcutText(options.Pause));
}

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
