#pragma once
// The options box: whether the global hotkeys are on, the combination for
// each of "Next", "Previous" and "Pause / Resume", and whether each monitor
// gets a picture of its own. A small modal dialog
// in the program's flat look, made hidden once and opened from the tray
// menu's "Options…".

#include "app/OptionTable.h"
#include "controls/FlatButton.h"
#include "controls/FlatPanel.h"
#include "framework/Form.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Label.h"

#include <optional>

class TOptionsForm : public TForm {
public:
    // `ownerWindow`, when given, owns the box's window (so it has no
    // taskbar button of its own).
    TOptionsForm(TComponent* owner, HWND ownerWindow = nullptr);

    TFlatPanel* panel;
    TFlatPanel* header;
    TCheckBox* hotkeysBox;
    TComboBox* nextHotkeyBox;
    TComboBox* previousHotkeyBox;
    TComboBox* pauseHotkeyBox;
    TCheckBox* perMonitorBox;
    TCheckBox* waitFullScreenBox;
    TCheckBox* changeOnBatteryBox;
    TFlatButton* okButton;
    TFlatButton* cancelButton;

    // Shows the options its controls show (OptionTable.h) and lets the
    // user change them; the options chosen when the box is confirmed,
    // nothing when it is cancelled. "OK" with one combination for two
    // actions is refused with a message naming both, and the box stays open.
    std::optional<TOptionValues> Edit(const TOptionValues& values);

    // The controls and what they hold, without showing the box.
    void ShowOptions(const TOptionValues& values);
    TOptionValues Chosen() const;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void CreateControls();
    void onOkClick();
    TComboBox* HotkeyRow(const char* boxName, const char* caption, int top);

    HWND ownerWindow_;
    // What the box was shown with, which it changes.
    TOptionValues shown_;
};
