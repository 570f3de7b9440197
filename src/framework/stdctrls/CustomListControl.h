#pragma once
// The common part of the list box and the combo box: a list of strings kept
// in the object and mirrored into the window (or, for a virtual list box,
// only their number), and the selected index. The object's copy is the one
// read, so a rebuilt window (RecreateWnd) gets its items and selection back,
// and reading never needs the window.

#include "framework/WinControl.h"

#include <string>
#include <vector>

class TCustomListControl;

// The window messages of one kind of list window (LB_... or CB_...).
struct TItemMessages {
    UINT AddString;
    UINT InsertString;
    UINT DeleteString;
    UINT ResetContent;
    UINT InitStorage;
    UINT GetCurSel;
    UINT SetCurSel;
    UINT GetTopIndex;
    UINT SetTopIndex;
};

// The items of a list control. Indexes outside the list raise
// "List index out of bounds (%d)".
class TControlItems {
public:
    TControlItems(const TControlItems&) = delete;
    TControlItems& operator=(const TControlItems&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Strings(int index) const;
    const std::string& operator[](int index) const { return Strings(index); }
    // Replaces the text of an item in place; the selection stays where it was.
    void SetStrings(int index, const std::string& text);
    // Appends an item and returns its index.
    int Add(const std::string& text);
    // Appends many items with one preparation of the window's storage.
    void AddStrings(const std::vector<std::string>& texts);
    // The same, taking the texts over instead of copying them.
    void AddStrings(std::vector<std::string>&& texts);
    // Inserts before index; index == Count() appends.
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    // The first item equal to text, or -1.
    int IndexOf(const std::string& text) const;
    const std::vector<std::string>& Texts() const { return items_; }

    // Between BeginUpdate and the matching EndUpdate the window does not
    // redraw; the last EndUpdate repaints it once. Single changes outside a
    // BeginUpdate/EndUpdate pair are gathered the same way until the message
    // loop next runs, so a loop of Add calls stays quick on a shown list.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TCustomListControl;
    TControlItems(TCustomListControl& control, const TItemMessages& messages);

    void CheckIndex(int index, int upperBound) const;
    bool HasWindow() const;
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Sends a message whose lParam is a text (wide, as the window takes it).
    LRESULT SendText(UINT msg, WPARAM wParam, const std::string& text) const;
    // Puts every item into a freshly made window.
    void FillWindow();
    // A window that keeps no texts (a virtual list box) learns the new
    // number of rows; the selection moves as it would in a standard list:
    // `selected` is the row selected now, -1 for none.
    void SetWindowCount(LRESULT selected);
    bool WindowKeepsTexts() const;
    // Before a single change: redraw off until the message loop runs.
    void DeferRedraw();
    void EndDeferredRedraw();
    // The window goes: any update in progress ends with it.
    void WindowDestroyed();

    TCustomListControl& control_;
    const TItemMessages& messages_;
    std::vector<std::string> items_;
    int updateCount_ = 0;
    bool redrawOff_ = false;
    bool deferred_ = false; // one of the updates is the gathering of single changes
};

// An update bracket of a list's items for one scope: BeginUpdate now,
// EndUpdate when the scope ends, by error or not.
class TItemsUpdate {
public:
    explicit TItemsUpdate(TControlItems& items) : items_(items) { items_.BeginUpdate(); }
    TItemsUpdate(const TItemsUpdate&) = delete;
    TItemsUpdate& operator=(const TItemsUpdate&) = delete;
    ~TItemsUpdate() { items_.EndUpdate(); }

private:
    TControlItems& items_;
};

class TCustomListControl : public TWinControl {
public:
    TControlItems& Items() { return items_; }
    const TControlItems& Items() const { return items_; }

    // The selected item, -1 for none. Setting an index outside -1..Count()-1
    // raises "List index out of bounds (%d)".
    int ItemIndex() const;
    void SetItemIndex(int index);

    void WndProc(TMessage& message) override;

protected:
    TCustomListControl(TComponent* owner, const TItemMessages& messages);

    // False for a window that holds only the number of rows and asks the
    // control to paint each one (a virtual list box).
    virtual bool WindowKeepsTexts() const { return true; }

    // After the window is made: the items and the selection go into it.
    void CreateWnd() override;
    // Before the window goes: the selection is kept for the next window.
    void DestroyWnd() override;

private:
    friend class TControlItems;

    // Keeps the selection that is held without a window on the same item
    // when items are inserted or deleted before it, as the window does.
    void ItemInserted(int index);
    void ItemDeleted(int index);
    void ItemsCleared() { savedIndex_ = -1; }

    TControlItems items_;
    int savedIndex_ = -1; // the selection while there is no window
};
