#pragma once
// Popup menus: a list of items (a caption of "-" is a separator line), one
// of which may be the default item (shown bold), opened at a screen point.
// The chosen item's OnClick runs behind the application's error barrier.

#include "framework/Component.h"

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class TPopupMenu;
class TWinControl;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // The item that a double click on a tray icon would run; shown bold.
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // A hidden item is left out of the menu (it keeps its place).
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // A caption of "-" makes the item a separator line.
    bool IsLine() const { return caption_ == "-"; }

    TNotifyEvent OnClick;
    // Fires OnClick.
    virtual void Click();

private:
    friend class TPopupMenu;
    void Changed();

    std::string caption_;
    bool default_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    TPopupMenu* menu_ = nullptr;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // Appends an item. The item's owner frees it; an item that goes leaves
    // the menu.
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    const std::vector<TMenuItem*>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }

    // The menu as the platform holds it, made anew after any change.
    HMENU Handle();

    // Opens the menu with its top-left corner at a screen point and waits
    // until it closes; runs the chosen item's OnClick. The owner's window
    // (or the main form's) is brought to the foreground first, so that the
    // menu closes when the user clicks elsewhere, as a tray icon's menu must.
    void Popup(int x, int y);

    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TMenuItem;
    struct MenuDeleter {
        void operator()(HMENU menu) const { DestroyMenu(menu); }
    };
    using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

    void Build();
    HWND OwnerWindow() const;
    // Runs the item with the given command number, if it is still there.
    void RunCommand(UINT command);

    std::vector<TMenuItem*> items_;
    MenuHandle handle_;
};

// An item a window's system menu keeps: its command (SC_MOVE...) and, when
// not empty, a caption of the program's own instead of the platform's.
struct TSystemMenuItem {
    UINT Command;
    std::string Caption;
};

// Leaves only the given items in the window's system menu (the one Alt+Space
// opens), in the platform's order, without separators.
void KeepSystemMenuItems(HWND window, const std::vector<TSystemMenuItem>& items);
