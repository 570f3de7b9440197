// Hiding the title bar of the main window while keeping its client size.

#include "app/HideTitleBar.h"
#include "framework/Form.h"

#include <gtest/gtest.h>

TEST(HideTitleBar, RemovesTheCaptionAndKeepsTheClientSize)
{
    TForm form(nullptr);
    form.SetBorderStyle(TFormBorderStyle::Single);
    form.SetClientSize(200, 100);
    HWND window = form.Handle();
    ASSERT_NE(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0);

    const LONG style = HideTitleBar(window, true);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE), style);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);

    const LONG shown = HideTitleBar(window, false);
    EXPECT_EQ(shown & WS_CAPTION, WS_CAPTION);
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
}

TEST(HideTitleBar, LeavesABorderlessWindowAsItIs)
{
    TForm form(nullptr);
    form.SetBorderStyle(TFormBorderStyle::None);
    form.SetClientSize(560, 308);
    HWND window = form.Handle();
    const LONG before = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(HideTitleBar(window, true), before);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 560);
    EXPECT_EQ(rect.bottom - rect.top, 308);
}
