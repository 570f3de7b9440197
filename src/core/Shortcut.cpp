#include "core/Shortcut.h"

#include "core/AsciiCase.h"

#include <array>
#include <utility>

namespace {

using namespace ShortcutModifiers;

constexpr std::array<std::pair<unsigned, const char*>, 4> ModifierNames = {
    {{Ctrl, "Ctrl"}, {Alt, "Alt"}, {Shift, "Shift"}, {Win, "Win"}}};

constexpr std::array<std::pair<unsigned, const char*>, 10> KeyNames = {{{0x20, "Space"},
                                                                        {0x21, "PageUp"},
                                                                        {0x22, "PageDown"},
                                                                        {0x23, "End"},
                                                                        {0x24, "Home"},
                                                                        {0x25, "Left"},
                                                                        {0x26, "Up"},
                                                                        {0x27, "Right"},
                                                                        {0x28, "Down"},
                                                                        {0x2D, "Insert"}}};

std::string KeyText(unsigned key)
{
    for (const auto& [code, name] : KeyNames)
        if (code == key)
            return name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= 0x70 && key <= 0x7B) {
        // Appended, not "F" + number: GCC 12 at -O3 warns wrongly about
        // the overlapping copy the latter inlines to.
        std::string text(1, 'F');
        text += std::to_string(key - 0x6F);
        return text;
    }
    return {};
}

std::optional<unsigned> KeyOf(std::string_view text)
{
    for (unsigned key = 0x20; key <= 0x7B; ++key)
        if (const std::string name = KeyText(key); !name.empty() && SameIgnoringCase(name, text))
            return key;
    return std::nullopt;
}

} // namespace

std::string ShortcutText(const TShortcut& shortcut)
{
    std::string text;
    for (const auto& [bit, name] : ModifierNames)
        if (shortcut.Modifiers & bit)
            text += std::string(name) + "+";
    return text + KeyText(shortcut.Key);
}

std::optional<TShortcut> ParseShortcut(std::string_view text)
{
    TShortcut shortcut;
    for (;;) {
        const size_t plus = text.find('+');
        if (plus == std::string_view::npos)
            break;
        const std::string_view part = text.substr(0, plus);
        unsigned bit = 0;
        for (const auto& [modifier, name] : ModifierNames)
            if (SameIgnoringCase(name, part))
                bit = modifier;
        if (bit == 0 || (shortcut.Modifiers & bit))
            return std::nullopt;
        shortcut.Modifiers |= bit;
        text.remove_prefix(plus + 1);
    }
    const std::optional<unsigned> key = KeyOf(text);
    if (!key || shortcut.Modifiers == 0)
        return std::nullopt;
    shortcut.Key = *key;
    return shortcut;
}

std::vector<TShortcut> ShortcutChoices()
{
    std::vector<TShortcut> choices;
    for (const unsigned key : {0x27u, 0x25u, 0x28u, 0x26u, unsigned('N'), unsigned('B'), unsigned('P')})
        choices.push_back({Ctrl | Alt | Shift, key});
    return choices;
}
