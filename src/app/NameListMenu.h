#pragma once
// The name list's right-click menu: "Add Folder…", "Remove", "Remove
// Missing Files", "Open File Location", "Copy Path", and "Stop following"
// the selected entry's folder when the list follows it. When it opens, the items that cannot act are
// greyed: those that edit the list while automatic change runs (the list is
// locked then, as "+" and "-" are), those about an entry when none is
// selected.

#include "framework/Menus.h"

#include <functional>
#include <string>

struct NameListMenuActions {
    std::function<void()> AddFolder;
    std::function<void()> Remove;
    std::function<void()> RemoveMissing;
    std::function<void()> OpenFileLocation;
    std::function<void()> CopyPath;
    // Whether the list may be edited now.
    std::function<bool()> Editable;
    // Whether an entry is selected.
    std::function<bool()> HasSelection;
    // The followed folder of the selected entry (empty for none), and
    // leaving it: its pictures stay as plain entries.
    std::function<std::string()> FollowedFolder;
    std::function<void()> StopFollowing;
};

class TNameListMenu {
public:
    TNameListMenu(TComponent* owner, NameListMenuActions actions);

    TPopupMenu& Menu() { return *menu_; }
    TMenuItem& AddFolderItem() { return *addFolder_; }
    TMenuItem& RemoveItem() { return *remove_; }
    TMenuItem& RemoveMissingItem() { return *removeMissing_; }
    TMenuItem& OpenFileLocationItem() { return *openFileLocation_; }
    TMenuItem& CopyPathItem() { return *copyPath_; }
    // "Stop following <folder>", shown for an entry of a followed folder.
    TMenuItem& StopFollowingItem() { return *stopFollowing_; }

    // Greys the items that cannot act now (the menu does this as it opens).
    void UpdateItems();

private:
    TMenuItem* Item(TComponent* owner, const char* name, const char* caption,
                    const std::function<void()>& run);

    NameListMenuActions actions_;
    TPopupMenu* menu_;
    TMenuItem* addFolder_;
    TMenuItem* remove_;
    TMenuItem* removeMissing_;
    TMenuItem* openFileLocation_;
    TMenuItem* copyPath_;
    TMenuItem* stopFollowing_;
};
