#pragma once
// The program's commands as one table: each row is one command with its
// place in the tray menu, its command-line switch, its global hotkey and
// its handler. The tray menu, the command line's switches (and the message
// that lists them), the hotkeys and a later start's hand-over are built from
// it; adding a command is one row plus its handler.

#include "core/Commands.h"
#include "framework/Menus.h"

#include <functional>
#include <span>
#include <string>
#include <vector>

class TMainForm;

// How a command stands in the tray menu.
enum class TMenuPlace {
    None,      // not in the menu
    Item,      // an item
    AfterLine, // an item after a separator line
    Default,   // the item selecting the icon does, first and in bold
};

struct TCommandRow {
    // Names the command; its menu item is named Id + "MenuItem".
    const char* Id;
    TMenuPlace Menu;
    const char* MenuText;
    // Switch.Name nullptr: no switch.
    TSwitch Switch;
    // The identifier its global hotkey brings back (THotkeyAction); 0 for
    // none.
    int Hotkey;
    // Carries it out; a switch's command brings its paths.
    void (*Run)(TMainForm& form, const TCommand& command);
};

// The switches of `rows`, in table order.
std::vector<TSwitch> SwitchesOf(std::span<const TCommandRow> rows);

// The row whose switch gives `kind`, or whose hotkey is `hotkey`; nullptr
// for none.
const TCommandRow* CommandOfSwitch(std::span<const TCommandRow> rows, TCommandKind kind);
const TCommandRow* CommandOfHotkey(std::span<const TCommandRow> rows, int hotkey);

// The tray menu of `rows`, owned by `owner`: each menu row's item runs it
// through `run`.
TPopupMenu* MakeCommandMenu(TComponent* owner, std::span<const TCommandRow> rows,
                            const std::function<void(const TCommandRow&)>& run);
// The menu item of the command `id`; nullptr for none.
TMenuItem* CommandMenuItem(const TPopupMenu& menu, const std::string& id);
