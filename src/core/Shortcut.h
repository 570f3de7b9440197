#pragma once
// A key with its modifiers, as a global hotkey takes it, and its text as the
// options box shows it and the registry keeps it ("Ctrl+Alt+Shift+Right").
// The modifier bits and key numbers are the platform's own (MOD_ALT 1,
// MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8; virtual-key codes).
//
// Portable: no Windows header.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TShortcut {
    unsigned Modifiers = 0;
    unsigned Key = 0;
    bool operator==(const TShortcut&) const = default;
};

namespace ShortcutModifiers {
inline constexpr unsigned Alt = 1;
inline constexpr unsigned Ctrl = 2;
inline constexpr unsigned Shift = 4;
inline constexpr unsigned Win = 8;
} // namespace ShortcutModifiers

// "Ctrl+Alt+Shift+Win+<key>", the modifiers in that order.
std::string ShortcutText(const TShortcut& shortcut);
// The shortcut a text names: modifiers in any order and case, then one key
// (a letter, a digit, F1..F12 or a named key such as Right or Space). At
// least one modifier; nothing for any other text.
std::optional<TShortcut> ParseShortcut(std::string_view text);

// What the options box offers: Ctrl+Alt+Shift with the arrows and a few
// letters, which neither Windows nor the common graphics drivers use.
std::vector<TShortcut> ShortcutChoices();
