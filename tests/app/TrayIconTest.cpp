// The notification-area icon as the main form registers and removes it.

#include "FormFixture.h"

#include "platform/WideText.h"

#include <cstring>
#include <cwchar>

TEST_F(FormFixture, TheTrayIconIsRegisteredForTheRebuiltWindowInTheCurrentProtocolAndHidesIt)
{
    ASSERT_EQ(notifyIcon.Requests.size(), 2u);
    const auto& [message, data] = notifyIcon.Requests[0];
    EXPECT_EQ(message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(data.cbSize, static_cast<DWORD>(sizeof(NOTIFYICONDATAW)));
    EXPECT_EQ(data.hWnd, form->Handle());
    EXPECT_EQ(data.uID, 0u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP));
    // A message of the program's own, which no mouse or user message is.
    EXPECT_GE(data.uCallbackMessage, static_cast<UINT>(WM_APP));
    EXPECT_LT(data.uCallbackMessage, 0xC000u);
    const auto& version = notifyIcon.Requests[1];
    EXPECT_EQ(version.Message, static_cast<DWORD>(NIM_SETVERSION));
    EXPECT_EQ(version.Data.uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));
    EXPECT_EQ(version.Data.hWnd, form->Handle());
    EXPECT_EQ(version.Data.cbSize, static_cast<DWORD>(sizeof(NOTIFYICONDATAW)));
    // The icon at the notification area's own size.
    ICONINFO image{};
    ASSERT_TRUE(GetIconInfo(data.hIcon, &image));
    BITMAP colour{};
    GetObjectA(image.hbmColor, sizeof colour, &colour);
    DeleteObject(image.hbmColor);
    DeleteObject(image.hbmMask);
    EXPECT_EQ(colour.bmWidth, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(colour.bmHeight, GetSystemMetrics(SM_CYSMICON));
    wchar_t tip[64] = L"Tessivo";
    EXPECT_EQ(std::memcmp(data.szTip, tip, sizeof tip), 0);
    EXPECT_FALSE(form->Visible());

    // Again, with the icon already there: the shell keeps its one icon, the
    // window hides all the same.
    form->Show();
    form->AddTrayIcon();
    EXPECT_EQ(notifyIcon.Sent(NIM_ADD).size(), 2u);
    EXPECT_TRUE(notifyIcon.Present);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Test().trayIconRetryTimer->Enabled());
}

class TrayIconAtLogon : public FormFixture {
protected:
    // A form started while the shell refuses the first `failing` adds.
    void StartWithFailingAdds(int failing)
    {
        form.reset();
        notifyIcon = TFakeNotifyIcon();
        notifyIcon.FailingAdds = failing;
        form = std::make_unique<TMainForm>(nullptr, Services());
        FinishPreviews();
    }
};

TEST_F(TrayIconAtLogon, ARefusedAddIsRetriedUntilTheIconIsThere)
{
    StartWithFailingAdds(2);
    EXPECT_FALSE(notifyIcon.Present);
    ASSERT_TRUE(form->Test().trayIconRetryTimer->Enabled());
    EXPECT_GE(form->Test().trayIconRetryTimer->Interval(), 2000u);
    EXPECT_LE(form->Test().trayIconRetryTimer->Interval(), 4000u);
    form->Test().trayIconRetryTimer->Tick();
    EXPECT_FALSE(notifyIcon.Present);
    form->Test().trayIconRetryTimer->Tick();
    EXPECT_TRUE(notifyIcon.Present);
    EXPECT_FALSE(form->Test().trayIconRetryTimer->Enabled());
    EXPECT_FALSE(form->Visible());
}

TEST_F(TrayIconAtLogon, WithoutAnIconAfterAboutAMinuteTheWindowShows)
{
    StartWithFailingAdds(1000);
    const int retries = TMainForm::TrayIconRetries;
    EXPECT_GE(retries * static_cast<int>(TMainForm::TrayIconRetryMs), 50000);
    for (int i = 0; i < retries - 1; ++i)
        form->Test().trayIconRetryTimer->Tick();
    EXPECT_FALSE(form->Visible());
    form->Test().trayIconRetryTimer->Tick();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->Test().trayIconRetryTimer->Enabled());
    EXPECT_FALSE(notifyIcon.Present);
}

TEST_F(TrayIconAtLogon, AnAddThatTimedOutButArrivedCountsAsTheIcon)
{
    // The shell refuses the second add of an icon it holds; a modify tells.
    notifyIcon.Present = true;
    TTrayIcon icon(notifyIcon);
    EXPECT_TRUE(icon.Add(form->Handle(), nullptr));
    notifyIcon.Present = false;
    notifyIcon.FailingAdds = 1;
    EXPECT_FALSE(icon.Add(form->Handle(), nullptr));
}

TEST(TrayIcon, RemoveAsksForTheIconOfTheSameWindowAndIdentifier)
{
    TFakeNotifyIcon shell;
    TTrayIcon icon(shell);
    icon.Add(reinterpret_cast<HWND>(0x1234), nullptr);
    icon.Remove();
    ASSERT_EQ(shell.Sent(NIM_DELETE).size(), 1u);
    EXPECT_EQ(shell.Requests.back().Message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(shell.Requests.back().Data.hWnd, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(shell.Requests.back().Data.uID, 0u);
    EXPECT_FALSE(shell.Present);
}

TEST_F(FormFixture, TheTipSaysWhenTheRotationIsPausedOrAChangeWaitsAndWhy)
{
    const auto tip = [this] {
        auto sent = notifyIcon.Sent(NIM_MODIFY);
        std::erase_if(sent, [](const auto& request) { return (request.Data.uFlags & NIF_TIP) == 0; });
        return sent.empty() ? std::string() : Utf8FromWide(sent.back().Data.szTip);
    };
    Add({MakeBitmap("a.bmp", 4, 4), MakeBitmap("b.bmp", 4, 4)});
    ClickStartStop();
    EXPECT_EQ(tip(), "Tessivo - a.bmp");
    form->PauseAutoChange();
    EXPECT_EQ(tip(), "Tessivo - paused - a.bmp");
    form->ResumeAutoChange();
    EXPECT_EQ(tip(), "Tessivo - a.bmp");

    machine.FullScreen = true;
    TimerMessage();
    EXPECT_EQ(tip(), "Tessivo - waiting for the full-screen program to end - a.bmp");
    // Paused, it no longer waits for anything.
    form->PauseAutoChange();
    EXPECT_EQ(tip(), "Tessivo - paused - a.bmp");
    form->ResumeAutoChange();
    machine.FullScreen = false;
    machine.Battery = true;
    registry.SetValue(TRegistryRoot::CurrentUser, "\\Software\\Tessivo", "changeonbattery", "0");
    TimerMessage();
    EXPECT_EQ(tip(), "Tessivo - waiting for mains power - a.bmp");
    machine.Battery = false;
    SendMessageW(form->Handle(), WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
    FinishChanges();
    EXPECT_EQ(tip(), "Tessivo - b.bmp");
    // Stopped while waiting: nothing waits any more.
    machine.FullScreen = true;
    TimerMessage();
    ClickStartStop();
    EXPECT_EQ(tip(), "Tessivo - b.bmp");
}

TEST(TrayIcon, ATipTooLongForTheShellLosesTheEndOfTheNameNeverTheReason)
{
    TFakeNotifyIcon shell;
    TTrayIcon icon(shell);
    icon.Add(reinterpret_cast<HWND>(0x1234), nullptr);
    const std::string reason = "Tessivo - waiting for the full-screen program to end - ";
    // Plain letters, and pictures of two UTF-16 units each, one of which
    // would be cut in half.
    for (const std::string& unit : {std::string("x"), std::string("\xF0\x9F\x8C\x8A")}) {
        std::string name;
        for (int i = 0; i < 100; ++i)
            name += unit;
        ASSERT_TRUE(
            icon.SetTip(TrayTip("Tessivo", "waiting for the full-screen program to end", name + ".jpg")));
        const std::wstring sent = shell.Requests.back().Data.szTip;
        EXPECT_LE(sent.size(), 127u);
        EXPECT_GE(sent.size(), 126u);
        EXPECT_EQ(Utf8FromWide(sent.substr(0, reason.size())), reason);
        EXPECT_EQ(sent.back(), L'\u2026');
        const wchar_t beforeEllipsis = sent[sent.size() - 2];
        EXPECT_FALSE(beforeEllipsis >= 0xD800 && beforeEllipsis <= 0xDBFF);
    }
    // The tip it shows already is not sent again.
    const size_t requests = shell.Requests.size();
    EXPECT_TRUE(icon.SetTip(icon.Tip()));
    EXPECT_EQ(shell.Requests.size(), requests);
}
