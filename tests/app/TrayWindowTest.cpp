// The main window's states, driven by the real messages the notification
// area and the taskbar send to the hidden form.

#include "FormFixture.h"
#include "platform/SingleInstance.h"

#include "framework/Timer.h"

#include <optional>

namespace {

// Sends the notification icon's event as the shell's current protocol
// does: the event and the identifier 0 in lParam, the point in wParam.
void IconEvent(TMainForm& form, UINT event, POINT at = {0, 0})
{
    SendMessageA(form.Handle(), TrayCallbackMessage, MAKEWPARAM(at.x, at.y), MAKELPARAM(event, 0));
}

bool Shown(TMainForm& form)
{
    return form.Visible() && IsWindowVisible(form.Handle());
}

// Where the popup menu opened by `open` appeared; the menu is closed again
// from a timer tick inside the menu's own message loop.
std::optional<RECT> MenuOpenedBy(const std::function<void()>& open)
{
    std::optional<RECT> shown;
    TTimer closer(nullptr);
    closer.SetInterval(10);
    closer.SetOnTimer([&](TObject*) {
        if (HWND menu = FindWindowA("#32768", nullptr); menu && IsWindowVisible(menu)) {
            RECT rect{};
            GetWindowRect(menu, &rect);
            shown = rect;
        }
        EndMenu();
    });
    closer.SetEnabled(true);
    open();
    return shown;
}

} // namespace

class TrayWindow : public FormFixture {};

TEST_F(TrayWindow, SelectingTheIconByMouseOrKeyboardShowsTheWindowAndNothingElseDoes)
{
    ASSERT_FALSE(Shown(*form));
    // The mouse's own messages come too; they do nothing, nor do the
    // messages of the shell's older protocol.
    for (UINT ignored : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP}) {
        IconEvent(*form, ignored);
        EXPECT_FALSE(Shown(*form)) << ignored;
    }
    SendMessageA(form->Handle(), WM_USER, 0, WM_LBUTTONDBLCLK);
    SendMessageA(form->Handle(), 0x200, 0, WM_LBUTTONUP);
    EXPECT_FALSE(Shown(*form));

    IconEvent(*form, NIN_SELECT);
    EXPECT_TRUE(Shown(*form));
    form->AddTrayIcon();
    // Win+B, the arrows and Enter: the same from the keyboard.
    IconEvent(*form, NIN_KEYSELECT);
    EXPECT_TRUE(Shown(*form));
    // The icon stays; restoring adds nothing.
    EXPECT_EQ(notifyIcon.Sent(NIM_ADD).size(), 2u);
    EXPECT_TRUE(notifyIcon.Present);
}

TEST_F(TrayWindow, TheContextMenuOpensAtThePointTheShellGivesWithTheWindowItemFirstInBold)
{
    std::vector<std::string> captions;
    for (TMenuItem* item : form->Test().trayMenu->Items())
        captions.push_back(item->Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"Restore Form", "-", "Next Wallpaper", "Previous Wallpaper",
                                                  "Pause", "Cancel Scan", "Options\u2026", "-",
                                                  "Change Wallpaper", "-", "About", "-", "Exit"}));
    EXPECT_EQ(GetMenuDefaultItem(form->Test().trayMenu->Handle(), TRUE, 0), 0u);

    EXPECT_FALSE(MenuOpenedBy([&] { IconEvent(*form, WM_RBUTTONUP, {300, 200}); }).has_value());
    const auto menu = MenuOpenedBy([&] { IconEvent(*form, WM_CONTEXTMENU, {300, 200}); });
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(menu->left, 300);
    EXPECT_EQ(menu->top, 200);
    // Opening the menu does not show the window.
    EXPECT_FALSE(Shown(*form));

    form->Test().restoreMenuItem->Click();
    EXPECT_TRUE(Shown(*form));
}

TEST_F(TrayWindow, TheMinimiseButtonHidesTheWindowAndKeepsOneIcon)
{
    form->RestoreFromTray();
    ASSERT_TRUE(Shown(*form));
    form->Test().toTrayButton->Click();
    EXPECT_FALSE(Shown(*form));
    ASSERT_EQ(notifyIcon.Sent(NIM_ADD).size(), 2u);
    EXPECT_TRUE(notifyIcon.Present);
}

TEST_F(TrayWindow, ALaterStartFindsTheWindowByItsClassAndBringsItForward)
{
    EXPECT_EQ(FindWindowA(TMainForm::MainWindowClassName, nullptr), form->Handle());
    ASSERT_FALSE(Shown(*form));
    ASSERT_EQ(HandOverToRunningCopy(TMainForm::MainWindowClassName, {}), THandOverResult::Delivered);
    PumpUntil([&] { return Shown(*form); });
    EXPECT_TRUE(Shown(*form));
    EXPECT_TRUE(notifyIcon.Present);
}

TEST_F(TrayWindow, AnElevatedCopyTakesTheHandOverAndTheNewTaskbarFromOrdinaryPrograms)
{
    // Recorded instead of asked of the system: Wine has no higher rights.
    std::vector<std::pair<HWND, UINT>> allowed;
    PlatformServices services = Services();
    services.AllowMessageFromLowerRights = [&allowed](HWND window, UINT message) {
        allowed.emplace_back(window, message);
        return true;
    };
    form.reset();
    form = std::make_unique<TMainForm>(nullptr, services);
    FinishPreviews();
    // The window as it is after the start rebuilt it, and only what a later
    // start and Explorer send.
    std::vector<UINT> current;
    for (const auto& [window, message] : allowed)
        if (window == form->Handle())
            current.push_back(message);
    EXPECT_EQ(current, (std::vector<UINT>{WM_COPYDATA, ShowRunningCopyMessage(),
                                          RegisterWindowMessageA("TaskbarCreated"), TrayCallbackMessage}));
    form.reset();
}

TEST_F(TrayWindow, ANewTaskbarGetsTheIconAgainAndTheWindowStaysAsItWas)
{
    // Explorer started again: its notification area knows no icons.
    notifyIcon.Present = false;
    SendMessageA(form->Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(notifyIcon.Sent(NIM_ADD).size(), 2u);
    EXPECT_EQ(notifyIcon.Sent(NIM_ADD)[1].Data.hWnd, form->Handle());
    EXPECT_TRUE(notifyIcon.Present);
    EXPECT_FALSE(Shown(*form));

    form->RestoreFromTray();
    notifyIcon.Present = false;
    SendMessageA(form->Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(notifyIcon.Present);
    EXPECT_TRUE(Shown(*form));
}

TEST_F(TrayWindow, TheTaskbarButtonSaysTessivoAndGoesWithTheWindow)
{
    HWND button = form->TaskbarWindow();
    char title[32] = {};
    GetWindowTextA(button, title, sizeof title);
    EXPECT_STREQ(title, "Tessivo");
    char caption[32] = {};
    GetWindowTextA(form->Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Quorvel");
    // The main window is owned, so it has no button of its own.
    EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), button);

    EXPECT_FALSE(IsWindowVisible(button));
    form->RestoreFromTray();
    EXPECT_TRUE(IsWindowVisible(button));
    form->AddTrayIcon();
    EXPECT_FALSE(IsWindowVisible(button));
}

TEST_F(TrayWindow, TheClockStopsInTheTrayAndShowsTheTimeAtOnceWhenBack)
{
    EXPECT_FALSE(form->Test().clockTimer->Enabled());
    clock.now = {2026, 12, 7, 1, 14, 30, 15};
    IconEvent(*form, NIN_SELECT);
    EXPECT_TRUE(form->Test().clockTimer->Enabled());
    EXPECT_EQ(form->Test().clockLabel->Caption(), "02:30:15 PM");
    form->Test().toTrayButton->Click();
    EXPECT_FALSE(form->Test().clockTimer->Enabled());
}
