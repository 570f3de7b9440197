#include "app/NameListMenu.h"

TNameListMenu::TNameListMenu(TComponent* owner, NameListMenuActions actions)
    : actions_(std::move(actions)), menu_(new TPopupMenu(owner))
{
    menu_->Name = "nameListMenu";
    // "Add Folder" ends in an ellipsis (U+2026): it opens a dialog.
    addFolder_ = Item(owner, "addFolderMenuItem", "Add Folder\xE2\x80\xA6", actions_.AddFolder);
    remove_ = Item(owner, "removeMenuItem", "Remove", actions_.Remove);
    removeMissing_ = Item(owner, "removeMissingMenuItem", "Remove Missing Files", actions_.RemoveMissing);
    auto* line = new TMenuItem(owner);
    line->SetCaption("-");
    menu_->Add(line);
    openFileLocation_ =
        Item(owner, "openFileLocationMenuItem", "Open File Location", actions_.OpenFileLocation);
    copyPath_ = Item(owner, "copyPathMenuItem", "Copy Path", actions_.CopyPath);
    stopFollowing_ = Item(owner, "stopFollowingMenuItem", "Stop following", actions_.StopFollowing);
    menu_->OnPopup = [this](TObject*) { UpdateItems(); };
}

TMenuItem* TNameListMenu::Item(TComponent* owner, const char* name, const char* caption,
                               const std::function<void()>& run)
{
    auto* item = new TMenuItem(owner);
    item->Name = name;
    item->SetCaption(caption);
    item->OnClick = [run](TObject*) { run(); };
    menu_->Add(item);
    return item;
}

void TNameListMenu::UpdateItems()
{
    const bool editable = actions_.Editable();
    const bool selected = actions_.HasSelection();
    addFolder_->SetEnabled(editable);
    remove_->SetEnabled(editable && selected);
    removeMissing_->SetEnabled(editable);
    openFileLocation_->SetEnabled(selected);
    copyPath_->SetEnabled(selected);
    const std::string folder =
        selected && actions_.FollowedFolder ? actions_.FollowedFolder() : std::string();
    stopFollowing_->SetVisible(!folder.empty());
    stopFollowing_->SetCaption("Stop following " + folder);
}
