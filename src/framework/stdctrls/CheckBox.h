#pragma once
// A check box (system BUTTON, BS_AUTOCHECKBOX) with its caption in the
// control's font, drawn on its parent's colour.

#include "framework/WinControl.h"

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    // Setting Checked from code does not fire OnClick; OnClick is the user
    // toggling the box (mouse or keyboard).
    bool Checked() const;
    void SetChecked(bool checked);

    void WndProc(TMessage& message) override;
    long AccessibleRole() const override;
    long AccessibleState() const override;
    std::string AccessibleAction() const override;
    // Toggles the box as a click does (OnClick fires).
    void DoAccessibleAction() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    void ColorControl(TMessage& message);

    bool checked_ = false; // the state while there is no window
    TBrush background_;
};
