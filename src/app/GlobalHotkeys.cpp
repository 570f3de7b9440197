#include "app/GlobalHotkeys.h"

#include <algorithm>
#include <utility>

THotkeyProblems TGlobalHotkeys::Apply(HWND window, const THotkeyOptions& options)
{
    Clear();
    THotkeyProblems problems;
    if (!options.Enabled)
        return problems;
    window_ = window;
    problems.SameTwice = SameHotkeyTwiceText(options);
    const std::pair<THotkeyAction, TShortcut> wanted[] = {{THotkeyAction::Next, options.Next},
                                                          {THotkeyAction::Previous, options.Previous},
                                                          {THotkeyAction::Pause, options.Pause}};
    std::vector<TShortcut> tried;
    for (const auto& [action, shortcut] : wanted) {
        // Asking again for a combination of ours would fail as if another
        // program held it.
        if (std::find(tried.begin(), tried.end(), shortcut) != tried.end())
            continue;
        tried.push_back(shortcut);
        const int id = static_cast<int>(action);
        if (hotkeys_.Register(window, id, shortcut.Modifiers, shortcut.Key))
            held_.push_back(id);
        else
            problems.Taken.push_back(ShortcutText(shortcut));
    }
    return problems;
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

std::string HotkeyProblemsText(const THotkeyProblems& problems)
{
    std::string text = problems.Taken.empty() ? "" : HotkeysTakenText(problems.Taken);
    if (problems.SameTwice)
        text += (text.empty() ? "" : ".\n") + *problems.SameTwice;
    return text;
}
