#pragma once
// The global hotkeys' options, kept with the other options (OptionTable.h):
// whether they are on ("hotkeys") and the combination of each action
// ("hotkeynext", "hotkeyprevious", "hotkeypause", as ShortcutText writes
// it).
//
// Portable: no Windows header.

#include "app/OptionTable.h"
#include "core/Shortcut.h"

#include <optional>
#include <string>
#include <vector>

// The combination an option holds when none is stored.
TShortcut DefaultShortcut(const char* optionName);

struct THotkeyOptions {
    bool Enabled = false;
    TShortcut Next = DefaultShortcut(OptionNames::HotkeyNext);
    TShortcut Previous = DefaultShortcut(OptionNames::HotkeyPrevious);
    TShortcut Pause = DefaultShortcut(OptionNames::HotkeyPause);
    bool operator==(const THotkeyOptions&) const = default;
};

THotkeyOptions HotkeyOptionsOf(const TOptionValues& values);
void SetHotkeyOptions(TOptionValues& values, const THotkeyOptions& options);

// The three actions as the options box names them, with their
// combinations, in the box's order.
struct THotkeyChoice {
    const char* Action;
    TShortcut Shortcut;
};
std::vector<THotkeyChoice> HotkeyChoices(const THotkeyOptions& options);

// The message for a combination chosen for two actions, naming both;
// nothing when the options have none (or the hotkeys are off).
std::optional<std::string> SameHotkeyTwiceText(const THotkeyOptions& options);
