#pragma once
// A single-selection list box over the system LISTBOX class: items and
// selection kept by the object (CustomListControl.h), a fixed item height,
// its own background and text colours, with or without a border.

#include "framework/stdctrls/CustomListControl.h"

enum class TBorderStyle : uint8_t { bsNone, bsSingle };

class TListBox : public TCustomListControl {
public:
    explicit TListBox(TComponent* owner);

    TBorderStyle BorderStyle() const { return borderStyle_; }
    // Changing the border rebuilds the window (items and selection stay).
    void SetBorderStyle(TBorderStyle style);
    // Height of every row in pixels; 0 = the height the font gives.
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);

    // OnClick: the user changed the selection (mouse or keyboard).
    // OnDblClick: the user double-clicked a row.
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void ApplyItemHeight();
    void ColorControl(TMessage& message);

    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    int itemHeight_ = 0;
    TBrush background_;
};
