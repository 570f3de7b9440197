// The popup menu: items, separators and the bold default in the platform's
// menu; a chosen item runs behind the error barrier.

#include "core/Exceptions.h"
#include "framework/Menus.h"
#include "support/ModalScript.h"
#include "support/Render.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct TrayMenu {
    TestForm form{200, 100, true};
    TPopupMenu* menu = new TPopupMenu(&form);
    TMenuItem* restore = Item("Restore Form");
    TMenuItem* change = Item("Change Wallpaper");
    TMenuItem* line1 = Item("-");
    TMenuItem* about = Item("About");
    TMenuItem* line2 = Item("-");
    TMenuItem* exit = Item("Exit");

    TMenuItem* Item(const std::string& caption)
    {
        auto* item = new TMenuItem(&form);
        item->SetCaption(caption);
        menu->Add(item);
        return item;
    }
};

std::string MenuText(HMENU menu, UINT position)
{
    char text[64] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

bool IsSeparator(HMENU menu, UINT position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return (info.fType & MFT_SEPARATOR) != 0;
}

} // namespace

TEST(PopupMenu, ItemsSeparatorsAndTheDefaultReachThePlatformsMenu)
{
    TrayMenu tray;
    tray.restore->SetDefault(true);
    HMENU menu = tray.menu->Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 6);
    EXPECT_EQ(MenuText(menu, 0), "Restore Form");
    EXPECT_EQ(MenuText(menu, 1), "Change Wallpaper");
    EXPECT_TRUE(IsSeparator(menu, 2));
    EXPECT_EQ(MenuText(menu, 3), "About");
    EXPECT_TRUE(IsSeparator(menu, 4));
    EXPECT_EQ(MenuText(menu, 5), "Exit");
    EXPECT_FALSE(IsSeparator(menu, 5));
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 0u);

    // One default at a time; a change makes the menu anew.
    tray.exit->SetDefault(true);
    EXPECT_FALSE(tray.restore->Default());
    EXPECT_EQ(GetMenuDefaultItem(tray.menu->Handle(), TRUE, 0), 5u);

    // An item that goes leaves the menu.
    delete tray.about;
    EXPECT_EQ(tray.menu->Count(), 5);
    EXPECT_EQ(GetMenuItemCount(tray.menu->Handle()), 5);
    EXPECT_TRUE(IsSeparator(tray.menu->Handle(), 2));
    EXPECT_TRUE(IsSeparator(tray.menu->Handle(), 3));
    EXPECT_EQ(MenuText(tray.menu->Handle(), 4), "Exit");
}

TEST(PopupMenu, TheChosenItemRunsAndItsErrorGoesToTheErrorHandler)
{
    TrayMenu tray;
    std::string ran;
    tray.restore->OnClick = [&](TObject*) { ran += "restore;"; };
    tray.change->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, tray.change);
        ran += "change;";
        throw Exception("The wallpaper could not be changed");
    };
    CapturedErrors().clear();

    // The user presses Down twice and Enter while the menu is open.
    bool opened = false;
    TickScript script;
    script.Then([&] {
        opened = FindWindowA("#32768", nullptr) != nullptr; // the open menu
        return opened;
    });
    script.Then([&] {
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
            PostMessageA(tray.form.Handle(), WM_KEYDOWN, key, 0);
        return true;
    });
    script.Start();
    tray.menu->Popup(150, 150);

    EXPECT_TRUE(opened);
    EXPECT_EQ(ran, "change;");
    ASSERT_EQ(CapturedErrors().size(), 1u);
    EXPECT_EQ(CapturedErrors()[0].Text, "The wallpaper could not be changed.");
    EXPECT_EQ(CapturedErrors()[0].Caption, "Tessivo");
}

TEST(PopupMenu, ClosingTheMenuWithoutAChoiceRunsNothing)
{
    TrayMenu tray;
    bool ran = false;
    for (TMenuItem* item : tray.menu->Items())
        item->OnClick = [&](TObject*) { ran = true; };
    TickScript script;
    script.Then([&] { return FindWindowA("#32768", nullptr) != nullptr; });
    script.Then([&] {
        PostMessageA(tray.form.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    script.Start();
    tray.menu->Popup(150, 150);
    EXPECT_FALSE(ran);
}

TEST(PopupMenu, AControlsMenuOpensOnTheContextMenuRequestFromMouseOrKeyboard)
{
    TrayMenu tray;
    int popups = 0;
    tray.menu->OnPopup = [&](TObject*) { ++popups; };
    // Without a menu of its own the control leaves the request to the platform.
    SendMessageW(tray.form.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tray.form.Handle()),
                 MAKELPARAM(150, 150));
    EXPECT_EQ(popups, 0);

    tray.form.SetPopupMenu(tray.menu);
    for (const LPARAM at : {MAKELPARAM(150, 150), static_cast<LPARAM>(-1)}) {
        bool opened = false;
        TickScript script;
        script.Then([&] { return opened = FindWindowA("#32768", nullptr) != nullptr; });
        script.Then([&] {
            PostMessageA(tray.form.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            return true;
        });
        script.Start();
        SendMessageW(tray.form.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tray.form.Handle()), at);
        EXPECT_TRUE(opened);
    }
    EXPECT_EQ(popups, 2);
}
