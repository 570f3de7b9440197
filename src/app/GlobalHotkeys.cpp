#include "app/GlobalHotkeys.h"

#include <utility>

std::vector<std::string> TGlobalHotkeys::Apply(HWND window, const THotkeyOptions& options)
{
    Clear();
    std::vector<std::string> taken;
    if (!options.Enabled)
        return taken;
    window_ = window;
    const std::pair<THotkeyAction, TShortcut> wanted[] = {{THotkeyAction::Next, options.Next},
                                                          {THotkeyAction::Previous, options.Previous},
                                                          {THotkeyAction::Pause, options.Pause}};
    for (const auto& [action, shortcut] : wanted) {
        const int id = static_cast<int>(action);
        if (hotkeys_.Register(window, id, shortcut.Modifiers, shortcut.Key))
            held_.push_back(id);
        else
            taken.push_back(ShortcutText(shortcut));
    }
    return taken;
}

void TGlobalHotkeys::Clear()
{
    for (const int id : held_)
        hotkeys_.Unregister(window_, id);
    held_.clear();
}

std::string HotkeysTakenText(const std::vector<std::string>& taken)
{
    std::string names;
    for (size_t i = 0; i < taken.size(); ++i)
        names += (i == 0 ? "" : i + 1 == taken.size() ? " and " : ", ") + taken[i];
    return (taken.size() == 1 ? "The hotkey " + names + " is" : "The hotkeys " + names + " are") +
           " already in use by another program";
}
