#pragma once
// A single-selection list box over the system LISTBOX class: items and
// selection kept by the object (CustomListControl.h), a fixed item height,
// its own background and text colours, with or without a border.

#include "framework/stdctrls/CustomListControl.h"

#include <functional>

enum class TBorderStyle : uint8_t { None, Single };

// How the rows reach the window. Standard: the window keeps a copy of
// every text. Virtual: the window keeps only the number of rows and the
// list paints each visible row from its own items, so a list of a million
// rows is filled at once instead of row by row.
enum class TListBoxStyle : uint8_t { Standard, Virtual };

class TListBox : public TCustomListControl {
public:
    explicit TListBox(TComponent* owner);

    TBorderStyle BorderStyle() const { return borderStyle_; }
    // Changing the border rebuilds the window (items and selection stay).
    void SetBorderStyle(TBorderStyle style);
    TListBoxStyle Style() const { return style_; }
    // Changing the style rebuilds the window (items and selection stay).
    void SetStyle(TListBoxStyle style);
    // Height of every row in pixels; 0 = the height the font gives.
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);

    // Rows of a virtual list this says true for are drawn in the grey of
    // unavailable text (while not selected): entries that are marked.
    std::function<bool(int row)> RowGreyed;

    // OnClick: the user changed the selection (mouse or keyboard).
    // OnDblClick: the user double-clicked a row.
    void WndProc(TMessage& message) override;
    // A list whose rows are its child elements.
    long AccessibleRole() const override;
    int AccessibleItemCount() const override { return Items().Count(); }
    std::string AccessibleItemName(int index) const override { return Items()[index]; }
    bool AccessibleItemSelected(int index) const override { return index == ItemIndex(); }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool WindowKeepsTexts() const override { return style_ == TListBoxStyle::Standard; }
    // A virtual list has no texts for the window to search: a typed
    // character selects the next row that starts with it, as in a standard
    // list.
    void KeyPress(wchar_t& key) override;
    // The row height, set in 96-DPI units, at the form's DPI.
    void DpiChanged() override { ApplyItemHeight(); }

private:
    void ApplyItemHeight();
    void ColorControl(TMessage& message);
    // LB_GETTEXTLEN and LB_GETTEXT of a virtual list, answered from its
    // items, so screen readers and other programs can read the rows; a
    // caller using the UTF-16 form gets the text converted by the system.
    void AnswerTextRequest(TMessage& message);
    // Paints one row of a virtual list as the system paints a standard one.
    void DrawItem(const DRAWITEMSTRUCT& item);

    TBorderStyle borderStyle_ = TBorderStyle::Single;
    TListBoxStyle style_ = TListBoxStyle::Standard;
    int itemHeight_ = 0;
    TBrush background_;
};
