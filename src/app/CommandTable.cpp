#include "app/CommandTable.h"

std::vector<TSwitch> SwitchesOf(std::span<const TCommandRow> rows)
{
    std::vector<TSwitch> switches;
    for (const TCommandRow& row : rows)
        if (row.Switch.Name)
            switches.push_back(row.Switch);
    return switches;
}

const TCommandRow* CommandOfSwitch(std::span<const TCommandRow> rows, TCommandKind kind)
{
    for (const TCommandRow& row : rows)
        if (row.Switch.Name && row.Switch.Kind == kind)
            return &row;
    return nullptr;
}

const TCommandRow* CommandOfHotkey(std::span<const TCommandRow> rows, int hotkey)
{
    for (const TCommandRow& row : rows)
        if (row.Hotkey != 0 && row.Hotkey == hotkey)
            return &row;
    return nullptr;
}

TPopupMenu* MakeCommandMenu(TComponent* owner, std::span<const TCommandRow> rows,
                            const std::function<void(const TCommandRow&)>& run)
{
    auto* menu = new TPopupMenu(owner);
    menu->Name = "trayMenu";
    for (const TCommandRow& row : rows) {
        if (row.Menu == TMenuPlace::None)
            continue;
        if (row.Menu == TMenuPlace::AfterLine && menu->Count() > 0) {
            auto* line = new TMenuItem(owner);
            line->SetCaption("-");
            menu->Add(line);
        }
        auto* item = new TMenuItem(owner);
        item->Name = std::string(row.Id) + "MenuItem";
        item->SetCaption(row.MenuText);
        item->SetDefault(row.Menu == TMenuPlace::Default);
        item->OnClick = [&row, run](TObject*) { run(row); };
        menu->Add(item);
    }
    return menu;
}

TMenuItem* CommandMenuItem(const TPopupMenu& menu, const std::string& id)
{
    for (TMenuItem* item : menu.Items())
        if (item->Name == id + "MenuItem")
            return item;
    return nullptr;
}
