#pragma once
// A drop-down list (system COMBOBOX, CBS_DROPDOWNLIST): the user picks one of
// the items; nothing can be typed. Items and selection are kept by the object
// (CustomListControl.h).

#include "framework/stdctrls/CustomListControl.h"

class TComboBox : public TCustomListControl {
public:
    explicit TComboBox(TComponent* owner);

    // Rows the opened list shows before it scrolls.
    int DropDownCount() const { return dropDownCount_; }
    // The text of the selected item, empty when none is selected.
    std::string Text() const;

    // The user chose another item (CBN_SELCHANGE); setting ItemIndex from
    // code does not fire it.
    TNotifyEvent OnChange;

    // Height is the closed box's; the window is made taller by the opened
    // list's height, which the platform keeps apart.
    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& message) override;
    long AccessibleRole() const override;
    std::string AccessibleValue() const override { return Text(); }

protected:
    void CreateParams(TCreateParams& params) override;
    virtual void Change();

private:
    int DroppedListHeight() const;

    int dropDownCount_ = 8;
};
