// The notification-area icon as the main form registers and removes it.

#include "FormFixture.h"

#include <cstring>

TEST_F(FormFixture, TheTrayIconIsRegisteredForTheRebuiltWindowAndHidesIt)
{
    ASSERT_EQ(notifyIcon.Requests.size(), 1u);
    const auto& [message, data] = notifyIcon.Requests[0];
    EXPECT_EQ(message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(data.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V1_SIZE));
    EXPECT_EQ(data.hWnd, form->Handle());
    EXPECT_EQ(data.uID, 0u);
    EXPECT_EQ(data.uFlags, 7u);
    EXPECT_EQ(data.uCallbackMessage, 0x200u);
    EXPECT_NE(data.hIcon, nullptr);
    wchar_t tip[64] = L"Tessivo";
    EXPECT_EQ(std::memcmp(data.szTip, tip, sizeof tip), 0);
    EXPECT_FALSE(form->Visible());

    // Again, with the icon already there: the shell keeps its one icon, the
    // window hides all the same.
    form->Show();
    form->AddTrayIcon();
    EXPECT_EQ(notifyIcon.Requests.size(), 2u);
    EXPECT_TRUE(notifyIcon.Present);
    EXPECT_FALSE(form->Visible());
}

TEST(TrayIcon, RemoveAsksForTheIconOfTheSameWindowAndIdentifier)
{
    TFakeNotifyIcon shell;
    TTrayIcon icon(shell);
    icon.Add(reinterpret_cast<HWND>(0x1234), nullptr);
    icon.Remove();
    ASSERT_EQ(shell.Requests.size(), 2u);
    EXPECT_EQ(shell.Requests[1].Message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(shell.Requests[1].Data.hWnd, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(shell.Requests[1].Data.uID, 0u);
    EXPECT_FALSE(shell.Present);
}
