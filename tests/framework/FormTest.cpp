// Forms: borderless placement in the screen's centre, rebuilding the window
// when the placement changes.

#include "framework/Form.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

TEST(Form, BorderlessFormIsCentredOnTheScreenWhenFirstShown)
{
    TForm form(nullptr);
    form.SetBorderStyle(TFormBorderStyle::None);
    form.SetClientSize(560, 308);
    form.SetPosition(TPosition::ScreenCenter);
    form.Show();
    RECT window;
    GetWindowRect(form.Handle(), &window);
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 560) / 2);
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - 308) / 2);
    EXPECT_EQ(window.right - window.left, 560);
    EXPECT_EQ(window.bottom - window.top, 308);
    EXPECT_EQ(form.ClientWidth(), 560);
    EXPECT_EQ(form.ClientHeight(), 308);
    const LONG style = GetWindowLongA(form.Handle(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    form.Hide();
}

TEST(Form, ChangingThePlacementRebuildsTheWindow)
{
    TForm form(nullptr);
    form.SetBorderStyle(TFormBorderStyle::None);
    HWND before = form.Handle();
    form.SetPosition(TPosition::ScreenCenter);
    HWND after = form.Handle();
    EXPECT_NE(before, after);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_TRUE(IsWindow(after));
    EXPECT_EQ(TWinControl::FromHandle(after), &form);
}
