#include "app/OptionsForm.h"

#include "app/HotkeySettings.h"
#include "app/LayoutHelpers.h"
#include "app/SettingsReadBack.h"
#include "core/Exceptions.h"
#include "framework/ModalForm.h"

TOptionsForm::TOptionsForm(TComponent* owner, HWND ownerWindow) : TForm(owner), ownerWindow_(ownerWindow)
{
    Name = "optionsForm";
    SetCaption("Options");
    SetBorderStyle(TFormBorderStyle::Dialog);
    SetPosition(TPosition::ScreenCenter);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
    SetClientSize(280, 216);
    CreateControls();
}

void TOptionsForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.Style &= ~WS_SYSMENU;
    params.WndParent = ownerWindow_;
}

void TOptionsForm::CreateControls()
{
    panel = FramedPanel(this, this, "panel", 0, 0, 280, 216);
    panel->SetAlign(TAlign::Client);
    header = Place<TFlatPanel>(this, panel, "header", 2, 2, 276, 15);
    header->SetAlign(TAlign::Top);
    header->SetCaption("   Options...");
    header->SetShowCaption(true);
    header->SetAlignment(TAlignment::LeftJustify);
    header->SetColor(kHeaderGrey);
    header->Font().SetStyle(TFontStyle::Bold);

    hotkeysBox = Place<TCheckBox>(this, panel, "hotkeysBox", 10, 24, 260, 17);
    hotkeysBox->SetCaption("Global hotkeys");
    // Each row's label is the action's name, as the messages give it.
    const std::vector<THotkeyChoice> actions = HotkeyChoices(THotkeyOptions{});
    nextHotkeyBox = HotkeyRow("nextHotkeyBox", actions[0].Action, 46);
    previousHotkeyBox = HotkeyRow("previousHotkeyBox", actions[1].Action, 70);
    pauseHotkeyBox = HotkeyRow("pauseHotkeyBox", actions[2].Action, 94);
    perMonitorBox = Place<TCheckBox>(this, panel, "perMonitorBox", 10, 120, 260, 17);
    perMonitorBox->SetCaption("Different picture on each monitor");
    perMonitorBox->SetHint("Not for \"Tile\" and \"Span\": they show one picture");
    perMonitorBox->SetShowHint(true);
    waitFullScreenBox = Place<TCheckBox>(this, panel, "waitFullScreenBox", 10, 142, 260, 17);
    waitFullScreenBox->SetCaption("Wait while a full-screen program runs");
    waitFullScreenBox->SetHint("Automatic changes wait for a game, a film or a presentation to end");
    waitFullScreenBox->SetShowHint(true);
    changeOnBatteryBox = Place<TCheckBox>(this, panel, "changeOnBatteryBox", 10, 164, 260, 17);
    changeOnBatteryBox->SetCaption("Change on battery power");
    changeOnBatteryBox->SetHint("When clear, automatic changes wait for mains power");
    changeOnBatteryBox->SetShowHint(true);
    Line(this, panel, "", 3, 186, 274, 1);

    okButton = Place<TFlatButton>(this, panel, "okButton", 118, 191, 73, 21);
    okButton->SetCaption("OK");
    okButton->SetDefault(true);
    okButton->OnClick = [this](TObject*) { onOkClick(); };
    cancelButton = Place<TFlatButton>(this, panel, "cancelButton", 198, 191, 73, 21);
    cancelButton->SetCaption("Cancel");
    cancelButton->Cancel = true;
    cancelButton->OnClick = [this](TObject*) { SetModalResult(mrCancel); };
}

TComboBox* TOptionsForm::HotkeyRow(const char* boxName, const char* caption, int top)
{
    auto* label = Place<TLabel>(this, panel, "", 26, top + 4, 110, 13);
    label->SetCaption(std::string(caption) + ":");
    auto* box = Place<TComboBox>(this, panel, boxName, 136, top, 134, 21);
    for (const TShortcut& choice : ShortcutChoices())
        box->Items().Add(ShortcutText(choice));
    return box;
}

void TOptionsForm::onOkClick()
{
    // One combination for two actions cannot work: the box stays open, and
    // the message names both, so the user sees which to change.
    if (const std::optional<std::string> clash = SameHotkeyTwiceText(HotkeyOptionsOf(Chosen())))
        throw Exception(*clash);
    SetModalResult(mrOk);
}

void TOptionsForm::ShowOptions(const TOptionValues& values)
{
    shown_ = values;
    ::ShowOptions(*this, values);
}

TOptionValues TOptionsForm::Chosen() const
{
    TOptionValues chosen = shown_;
    TakeOptions(*this, chosen);
    return chosen;
}

std::optional<TOptionValues> TOptionsForm::Edit(const TOptionValues& values)
{
    // The tray menu stays reachable while the box is open: a second
    // "Options…" brings the open box to the front instead.
    if (Visible()) {
        SetForegroundWindow(Handle());
        return std::nullopt;
    }
    ShowOptions(values);
    if (::ShowModal(*this) != mrOk)
        return std::nullopt;
    return Chosen();
}
