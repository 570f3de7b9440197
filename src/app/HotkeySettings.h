#pragma once
// The global hotkeys' options, kept beside the other options: whether they
// are on ("hotkeys", off unless "1") and the combination of each action
// ("hotkeynext", "hotkeyprevious", "hotkeypause", as ShortcutText writes
// it). Each value stands alone: one that cannot be used takes its default.
//
// Portable: the registry is reached through the interface passed in.

#include "core/Shortcut.h"
#include "platform/RegistryAccess.h"

#include <optional>
#include <string>
#include <vector>

namespace HotkeyNames {
inline constexpr const char* Enabled = "hotkeys";
inline constexpr const char* Next = "hotkeynext";
inline constexpr const char* Previous = "hotkeyprevious";
inline constexpr const char* Pause = "hotkeypause";
} // namespace HotkeyNames

// Ctrl+Alt+Shift with the arrows: Windows keeps Win+arrows and Ctrl+Win
// combinations for itself, and graphics drivers take Ctrl+Alt+arrows for
// turning the screen; no common program takes all three modifiers.
struct THotkeyOptions {
    bool Enabled = false;
    TShortcut Next{ShortcutModifiers::Ctrl | ShortcutModifiers::Alt | ShortcutModifiers::Shift, 0x27};
    TShortcut Previous{ShortcutModifiers::Ctrl | ShortcutModifiers::Alt | ShortcutModifiers::Shift, 0x25};
    TShortcut Pause{ShortcutModifiers::Ctrl | ShortcutModifiers::Alt | ShortcutModifiers::Shift, 0x28};
    bool operator==(const THotkeyOptions&) const = default;
};

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

THotkeyOptions ReadHotkeyOptions(IRegistryFactory& registry);
// Writes them into the settings key (made when missing); raises the
// registry's error when a value is refused.
void WriteHotkeyOptions(IRegistryFactory& registry, const THotkeyOptions& options);
