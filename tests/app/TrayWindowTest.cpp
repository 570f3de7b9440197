// The main window's states, driven by the real messages the notification
// area and the taskbar send to the hidden form.

#include "FormFixture.h"
#include "platform/SingleInstance.h"

#include "framework/Timer.h"

#include <optional>

namespace {

// Sends the notification icon's event: the callback number 0x200, the
// identifier 0, the mouse message that happened over the icon.
void IconEvent(TMainForm& form, UINT mouseMessage)
{
    SendMessageA(form.Handle(), 0x200, 0, mouseMessage);
}

bool Shown(TMainForm& form)
{
    return form.Visible() && IsWindowVisible(form.Handle());
}

struct OpenMenu {
    RECT Rect;
    POINT Cursor;
};

// Where the popup menu opened by `open` appeared, and where the mouse
// pointer was while it was open; the menu is closed again from a timer tick
// inside the menu's own message loop.
std::optional<OpenMenu> MenuOpenedBy(const std::function<void()>& open)
{
    std::optional<OpenMenu> shown;
    POINT before{};
    GetCursorPos(&before);
    TTimer closer(nullptr);
    closer.SetInterval(10);
    closer.SetOnTimer([&](TObject*) {
        if (HWND menu = FindWindowA("#32768", nullptr); menu && IsWindowVisible(menu)) {
            OpenMenu seen{};
            GetWindowRect(menu, &seen.Rect);
            GetCursorPos(&seen.Cursor);
            // Wine may refresh its idea of the pointer from the X server
            // between two readings (after another test moved it): the menu
            // is at the cursor if it is at either reading.
            if (seen.Rect.left == before.x && seen.Rect.top == before.y)
                seen.Cursor = before;
            shown = seen;
        }
        EndMenu();
    });
    closer.SetEnabled(true);
    open();
    return shown;
}

} // namespace

class TrayWindow : public FormFixture {};

TEST_F(TrayWindow, OnlyTheLeftButtonReleaseOverTheIconShowsTheWindow)
{
    ASSERT_FALSE(Shown(*form));
    for (UINT ignored : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_MBUTTONUP}) {
        IconEvent(*form, ignored);
        EXPECT_FALSE(Shown(*form)) << ignored;
    }
    IconEvent(*form, WM_LBUTTONUP);
    EXPECT_TRUE(Shown(*form));
    // The icon stays; restoring adds nothing.
    EXPECT_EQ(notifyIcon.Requests.size(), 1u);
    EXPECT_TRUE(notifyIcon.Present);
}

TEST_F(TrayWindow, UserMessagesShowOn515AndOpenTheMenuOn516)
{
    SendMessageA(form->Handle(), WM_USER, 0, WM_LBUTTONUP);
    SendMessageA(form->Handle(), WM_USER, 0, WM_RBUTTONUP);
    EXPECT_FALSE(Shown(*form));
    SendMessageA(form->Handle(), WM_USER, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Shown(*form));

    const auto menu = MenuOpenedBy([&] { SendMessageA(form->Handle(), WM_USER, 0, WM_RBUTTONDOWN); });
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(menu->Rect.left, menu->Cursor.x);
    EXPECT_EQ(menu->Rect.top, menu->Cursor.y);
}

TEST_F(TrayWindow, ARightButtonReleaseOverTheIconOpensTheTrayMenuAtTheCursor)
{
    std::vector<std::string> captions;
    for (TMenuItem* item : form->Test().trayMenu->Items())
        captions.push_back(item->Caption());
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Next Wallpaper", "Previous Wallpaper", "Pause", "Options\u2026", "-",
                                        "Restore Form", "Change Wallpaper", "-", "About", "-", "Exit"}));

    EXPECT_FALSE(MenuOpenedBy([&] { IconEvent(*form, WM_RBUTTONDOWN); }).has_value());
    const auto menu = MenuOpenedBy([&] { IconEvent(*form, WM_RBUTTONUP); });
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(menu->Rect.left, menu->Cursor.x);
    EXPECT_EQ(menu->Rect.top, menu->Cursor.y);
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
    // The window as it is after the start rebuilt it, and only what a later
    // start and Explorer send.
    std::vector<UINT> current;
    for (const auto& [window, message] : allowed)
        if (window == form->Handle())
            current.push_back(message);
    EXPECT_EQ(current, (std::vector<UINT>{WM_COPYDATA, ShowRunningCopyMessage(),
                                          RegisterWindowMessageA("TaskbarCreated")}));
    form.reset();
}

TEST_F(TrayWindow, ANewTaskbarGetsTheIconAgainAndTheWindowStaysAsItWas)
{
    // Explorer started again: its notification area knows no icons.
    notifyIcon.Present = false;
    SendMessageA(form->Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(notifyIcon.Requests.size(), 2u);
    EXPECT_EQ(notifyIcon.Requests[1].Message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(notifyIcon.Requests[1].Data.hWnd, form->Handle());
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
    IconEvent(*form, WM_LBUTTONUP);
    EXPECT_TRUE(form->Test().clockTimer->Enabled());
    EXPECT_EQ(form->Test().clockLabel->Caption(), "02:30:15 PM");
    form->Test().toTrayButton->Click();
    EXPECT_FALSE(form->Test().clockTimer->Enabled());
}
