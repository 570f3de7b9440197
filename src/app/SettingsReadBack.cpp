#include "app/SettingsReadBack.h"

#include "app/Settings.h"
#include "core/Exceptions.h"
#include "framework/Application.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/SpinEdit.h"

#include <string>

namespace {

TComponent* Control(const TComponent& owner, const TOptionRow& row)
{
    if (!row.Control)
        return nullptr;
    for (TComponent* component : owner.Components())
        if (component->Name == row.Control)
            return component;
    return nullptr;
}

// Selects `text` in the list; a key combination set in the registry by
// hand is offered as well.
void Choose(TComboBox& box, const std::string& text)
{
    if (box.Items().IndexOf(text) < 0)
        box.Items().Add(text);
    box.SetItemIndex(box.Items().IndexOf(text));
}

void Show(TComponent& control, const TOptionRow& row, const TOptionValues& values)
{
    if (auto* box = dynamic_cast<TCheckBox*>(&control))
        box->SetChecked(values.Flag(row.Name));
    else if (auto* edit = dynamic_cast<TSpinEdit*>(&control))
        edit->SetText(values.Text(row.Name));
    else if (auto* list = dynamic_cast<TComboBox*>(&control); list && row.Type == TOptionType::Style)
        list->SetItemIndex(values.Number(row.Name));
    else if (list)
        Choose(*list, values.Text(row.Name));
}

void Take(const TComponent& control, const TOptionRow& row, TOptionValues& values)
{
    if (const auto* box = dynamic_cast<const TCheckBox*>(&control)) {
        values.SetFlag(row.Name, box->Checked());
    } else if (const auto* edit = dynamic_cast<const TSpinEdit*>(&control)) {
        values.SetNumber(row.Name, IntervalMinutesOf(edit->Text()));
    } else if (const auto* list = dynamic_cast<const TComboBox*>(&control)) {
        // No style selected: none is written. A combination that cannot be
        // read keeps the value the box was shown with.
        if (row.Type == TOptionType::Style)
            values.Set(row.Name, list->ItemIndex() >= 0 ? std::optional(std::to_string(list->ItemIndex()))
                                                        : std::nullopt);
        else if (OptionValueOf(row.Type, list->Text()))
            values.Set(row.Name, list->Text());
    }
}

} // namespace

void ShowOptions(TComponent& owner, const TOptionValues& values)
{
    for (const TOptionRow& row : values.Table())
        if (TComponent* control = Control(owner, row))
            Show(*control, row, values);
}

void TakeOptions(const TComponent& owner, TOptionValues& values)
{
    for (const TOptionRow& row : values.Table())
        if (const TComponent* control = Control(owner, row))
            Take(*control, row, values);
}

void ReadSettingsIntoControls(TOptionValues values, TAutostart& autostart, TComponent& window,
                              const SettingsActions& actions)
{
    // The box shows what Windows will do at the next logon: an entry the
    // user cannot remove (under the machine's Run key) starts the program
    // whatever "startup" says, and one turned off in Windows' list of
    // startup apps does not.
    values.SetFlag(OptionNames::Startup, AlignAutostartAtStart(autostart, values.Flag(OptionNames::Startup)));
    // The auto-run box keeps the user's choice even when there is nothing
    // to run yet, so the exit stores it back as it was.
    ShowOptions(window, values);
    if (!values.Flag(OptionNames::StartMinimized))
        actions.ShowWindow();
    if (values.Flag(OptionNames::StartInAutoRunMode))
        actions.StartAutoChange();

    // Told once, after the start; the start itself goes on.
    if (!values.Reset.empty())
        TApplication::ReportException(ERegistryException::OptionsReset(values.Reset));
}
