#include "framework/Menus.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/WinControl.h"
#include "platform/WideText.h"

#include <algorithm>
#include <optional>

namespace {

// A hidden window to own a menu when the menu's owner has none.
class StandInWindow {
public:
    StandInWindow()
        : window_(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr))
    {
    }
    StandInWindow(const StandInWindow&) = delete;
    StandInWindow& operator=(const StandInWindow&) = delete;
    ~StandInWindow()
    {
        if (window_)
            DestroyWindow(window_);
    }
    HWND Get() const { return window_; }

private:
    HWND window_;
};

} // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner)
{
}

void TMenuItem::SetCaption(const std::string& caption)
{
    if (caption_ != caption) {
        caption_ = caption;
        Changed();
    }
}

void TMenuItem::SetDefault(bool isDefault)
{
    if (default_ == isDefault)
        return;
    // One default item per menu.
    if (isDefault && menu_)
        for (TMenuItem* other : menu_->items_)
            if (other != this)
                other->default_ = false;
    default_ = isDefault;
    Changed();
}

void TMenuItem::SetVisible(bool visible)
{
    if (visible_ != visible) {
        visible_ = visible;
        Changed();
    }
}

void TMenuItem::SetEnabled(bool enabled)
{
    if (enabled_ != enabled) {
        enabled_ = enabled;
        Changed();
    }
}

void TMenuItem::Changed()
{
    if (menu_)
        menu_->handle_.reset();
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner)
{
}

TPopupMenu::~TPopupMenu()
{
    for (TMenuItem* item : items_)
        item->menu_ = nullptr;
}

void TPopupMenu::Add(TMenuItem* item)
{
    if (!item || item->menu_ == this)
        return;
    if (item->menu_)
        item->menu_->Remove(item);
    items_.push_back(item);
    item->menu_ = this;
    FreeNotification(item);
    if (item->default_) {
        item->default_ = false;
        item->SetDefault(true);
    }
    handle_.reset();
}

void TPopupMenu::Remove(TMenuItem* item)
{
    const auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end())
        return;
    items_.erase(found);
    item->menu_ = nullptr;
    RemoveFreeNotification(item);
    handle_.reset();
}

void TPopupMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::Remove)
        return;
    const auto found = std::find(items_.begin(), items_.end(), component);
    if (found != items_.end()) {
        items_.erase(found);
        handle_.reset();
    }
}

HMENU TPopupMenu::Handle()
{
    if (!handle_)
        Build();
    return handle_.get();
}

void TPopupMenu::Build()
{
    MenuHandle menu(CreatePopupMenu());
    // Command numbers are the item's position + 1 (0 means "nothing chosen").
    for (size_t i = 0; i < items_.size(); ++i) {
        const TMenuItem* item = items_[i];
        if (!item->Visible())
            continue;
        if (item->IsLine()) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT flags = MF_STRING | (item->Enabled() ? MF_ENABLED : MF_GRAYED);
        AppendMenuW(menu.get(), flags, i + 1, WideFromUtf8(item->Caption()).c_str());
        if (item->Default())
            SetMenuDefaultItem(menu.get(), static_cast<UINT>(i + 1), FALSE);
    }
    handle_ = std::move(menu);
}

HWND TPopupMenu::OwnerWindow() const
{
    for (TComponent* owner = Owner(); owner; owner = owner->Owner()) {
        if (auto* control = dynamic_cast<TWinControl*>(owner)) {
            TWinControl* window = control->ParentForm() ? control->ParentForm() : control;
            return window->Handle();
        }
    }
    if (Application && Application->MainForm())
        return Application->MainForm()->Handle();
    return nullptr;
}

void TPopupMenu::Popup(int x, int y)
{
    if (OnPopup)
        OnPopup(this);
    std::optional<StandInWindow> standIn;
    HWND owner = OwnerWindow();
    if (!owner)
        owner = standIn.emplace().Get();
    // Without this a menu opened from the notification area would stay open
    // when the user clicks somewhere else.
    SetForegroundWindow(owner);
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0,
        owner, nullptr));
    // Lets the menu's owner see the end of the menu loop (the second half of
    // the notification-area recipe).
    PostMessageW(owner, WM_NULL, 0, 0);
    if (command != 0)
        RunCommand(command);
}

void TPopupMenu::RunCommand(UINT command)
{
    if (command == 0 || command > items_.size())
        return;
    TMenuItem* item = items_[command - 1];
    if (item->IsLine() || !item->Enabled())
        return;
    TApplication::Guarded([item] { item->Click(); });
}

void KeepSystemMenuItems(HWND window, const std::vector<TSystemMenuItem>& items)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu)
        return;
    for (int position = GetMenuItemCount(menu) - 1; position >= 0; --position) {
        const UINT command = GetMenuItemID(menu, position);
        const auto kept = std::find_if(items.begin(), items.end(), [command](const TSystemMenuItem& item) {
            return item.Command == command;
        });
        if (kept == items.end())
            DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
        else if (!kept->Caption.empty())
            ModifyMenuW(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING, command,
                        WideFromUtf8(kept->Caption).c_str());
    }
}
