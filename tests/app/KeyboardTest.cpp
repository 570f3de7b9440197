// The main window from the keyboard alone, driven by real key messages
// through the application's own keyboard dispatch.

#include "FormFixture.h"
#include "framework/Timer.h"
#include "support/ModalScript.h"

#include <algorithm>

namespace {

// A key pressed and released on the window that has the focus, as the
// message loop delivers it.
void Press(WORD key, UINT down = WM_KEYDOWN)
{
    const HWND focus = GetFocus();
    const UINT up = down == WM_KEYDOWN ? WM_KEYUP : WM_SYSKEYUP;
    // One press, the key's scan code, Alt held for the system keys.
    const LPARAM flags = 1 | (static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16) |
                         (down == WM_SYSKEYDOWN ? (1 << 29) : 0);
    for (const UINT message : {down, up}) {
        MSG msg{focus, message, key, flags | (message == up ? 0xC0000000 : 0), 0, {0, 0}};
        Application->DispatchOne(msg);
        Application->ProcessMessages();
    }
}

} // namespace

class Keyboard : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        Add({MakeBitmap("a.bmp", 4, 4), MakeBitmap("b.bmp", 4, 4), MakeBitmap("c.bmp", 4, 4)});
        form->RestoreFromTray();
        PumpMessages(0);
    }
    bool Shown() { return form->Visible() && IsWindowVisible(form->Handle()); }
};

TEST_F(Keyboard, TabVisitsOnlyControlsInsideTheWindowAndComesBackAround)
{
    TMainForm::TestView f = form->Test();
    f.addButton->SetFocus();
    std::vector<HWND> visited;
    RECT client{};
    GetClientRect(form->Handle(), &client);
    for (int i = 0; i < 20 && (visited.empty() || GetFocus() != f.addButton->Handle()); ++i) {
        Press(VK_TAB);
        const HWND focus = GetFocus();
        ASSERT_TRUE(focus && IsChild(form->Handle(), focus)) << "the focus left the window after " << i;
        RECT rect{};
        GetWindowRect(focus, &rect);
        MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_TRUE(IsWindowVisible(focus) && rect.top < client.bottom && rect.left < client.right)
            << "tab stop outside the window after " << i;
        visited.push_back(focus);
    }
    EXPECT_EQ(GetFocus(), f.addButton->Handle()) << "Tab did not come around";
    EXPECT_EQ(std::count(visited.begin(), visited.end(), f.nameList->Handle()), 1);
}

TEST_F(Keyboard, InTheNameListDeleteRemovesEnterAppliesAndEscapeHidesToTheTray)
{
    TMainForm::TestView f = form->Test();
    f.styleBox->SetItemIndex(1); // Tile: the picture itself goes to the desktop
    f.nameList->SetFocus();
    f.nameList->SetItemIndex(1);
    form->onNameListClick(f.nameList);
    Press(VK_DELETE);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "c.bmp"}));
    EXPECT_EQ(Paths().size(), 2u);

    journal.clear();
    Press(VK_RETURN);
    FinishChanges();
    const std::string shown = Paths()[static_cast<size_t>(f.currentIndex)];
    EXPECT_NE(std::find(journal.begin(), journal.end(), "SetDeskWallpaper " + shown), journal.end());
    EXPECT_TRUE(Shown());

    Press(VK_ESCAPE);
    EXPECT_FALSE(Shown());
    EXPECT_TRUE(notifyIcon.Present);
}

TEST_F(Keyboard, ApplyGreyedByItsOwnSpaceLeavesTheFocusOnTheListNeverOnNewList)
{
    TMainForm::TestView f = form->Test();
    f.styleBox->SetItemIndex(1);
    f.applyButton->SetEnabled(true);
    f.applyButton->SetFocus();
    Press(VK_SPACE);
    ASSERT_FALSE(f.applyButton->Enabled());
    EXPECT_EQ(GetFocus(), f.nameList->Handle());
    // A second Space lands on the list: nothing is asked, nothing goes.
    const auto asked = AnsweringQuestions([] { Press(VK_SPACE); }, {IDNO});
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(Paths().size(), 3u);
}

TEST_F(Keyboard, AltSpaceOpensTheSystemMenuWithMoveMinimizeToTheTrayAndClose)
{
    form->Test().nameList->SetFocus();
    bool opened = false;
    TTimer closer(nullptr);
    closer.SetInterval(20);
    closer.SetOnTimer([&](TObject*) {
        if (HWND menu = FindWindowA("#32768", nullptr); menu && IsWindowVisible(menu))
            opened = true;
        EndMenu();
    });
    closer.SetEnabled(true);
    Press(VK_SPACE, WM_SYSKEYDOWN);
    closer.SetEnabled(false);
    EXPECT_TRUE(opened);

    HMENU menu = GetSystemMenu(form->Handle(), FALSE);
    std::vector<UINT> commands;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        commands.push_back(GetMenuItemID(menu, i));
    EXPECT_EQ(commands, (std::vector<UINT>{SC_MOVE, SC_MINIMIZE, SC_CLOSE}));
    char text[64] = {};
    GetMenuStringA(menu, SC_MINIMIZE, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "Mi&nimize to the tray");

    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(Shown());
    EXPECT_FALSE(IsIconic(form->Handle()));
    EXPECT_TRUE(notifyIcon.Present);
}
