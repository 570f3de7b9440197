// Hints: a tooltip with the control's hint after the mouse rests on it,
// for non-windowed and windowed controls, following changes of the text.

#include "support/Render.h"
#include "framework/Application.h"
#include "framework/Hints.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/ListBox.h"
#include "support/TestApplication.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

std::string TooltipText(HWND tooltip)
{
    char text[512] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = tooltip;
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

bool HintVisible(THintManager& hints)
{
    return hints.HintWindow() && IsWindowVisible(hints.HintWindow());
}

struct HintFixture : testing::Test {
    THintManager* hints = new THintManager(*Application);
    TestForm form{300, 200, true};
    TLabel* path = new TLabel(&form);
    TLabel* plain = new TLabel(&form);
    HintFixture()
    {
        hints->HintPause = 100;
        form.SetShowHint(true);
        path->SetParent(&form);
        path->SetAutoSize(false);
        path->SetBounds(10, 10, 139, 13);
        path->SetCaption("C:\\Pictures\\holiday\\sea.jpg");
        path->SetHint("C:\\Pictures\\holiday\\sea.jpg");
        plain->SetParent(&form);
        plain->SetBounds(10, 40, 100, 13);
        plain->SetCaption("No hint here");
    }
    ~HintFixture() override
    {
        Application->SetMouseControl(nullptr);
        delete hints;
    }
    // The pointer moves onto a point of the form, as a user moves it.
    void MoveTo(int x, int y)
    {
        const POINT screen = form.ClientToScreen({x, y});
        SetCursorPos(screen.x, screen.y);
        // Let the platform's own move messages for the jump arrive first, so
        // a late one cannot take the pointer back to where it was.
        PumpMessages(50);
        SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
};

} // namespace

TEST_F(HintFixture, ALabelsHintShowsAfterTheMouseRestsAndFollowsItsText)
{
    MoveTo(30, 15);
    EXPECT_EQ(Application->MouseControl(), path);
    EXPECT_FALSE(HintVisible(*hints)); // not at once: after resting
    ASSERT_TRUE(PumpUntil([&] { return HintVisible(*hints); }, 3000));
    EXPECT_EQ(TooltipText(hints->HintWindow()), "C:\\Pictures\\holiday\\sea.jpg");

    // A new hint while shown is shown.
    path->SetHint("C:\\Pictures\\holiday\\beach.jpg");
    EXPECT_TRUE(
        PumpUntil([&] { return TooltipText(hints->HintWindow()) == "C:\\Pictures\\holiday\\beach.jpg"; }));
    EXPECT_TRUE(HintVisible(*hints));

    // Onto a control without a hint: the tooltip goes and does not come back.
    MoveTo(30, 45);
    EXPECT_FALSE(HintVisible(*hints));
    PumpMessages(300);
    EXPECT_FALSE(HintVisible(*hints));
}

TEST_F(HintFixture, NoHintWhenShowHintIsOffAndAHintStaysOnlyItsTime)
{
    path->SetShowHint(false);
    MoveTo(30, 15);
    PumpMessages(400);
    EXPECT_FALSE(HintVisible(*hints));

    path->SetShowHint(true);
    hints->HintHidePause = 400;
    MoveTo(60, 100); // the form itself, without a hint
    MoveTo(30, 15);
    ASSERT_TRUE(PumpUntil([&] { return HintVisible(*hints); }, 3000));
    EXPECT_TRUE(PumpUntil([&] { return !HintVisible(*hints); }, 3000));
}

TEST_F(HintFixture, AWindowedControlsHintShowsToo)
{
    auto* list = new TListBox(&form);
    list->SetParent(&form);
    list->SetBounds(160, 10, 100, 100);
    list->SetHint("File names|The names of the files in the list");
    const POINT screen = list->ClientToScreen({20, 20});
    SetCursorPos(screen.x, screen.y);
    SendMessageA(list->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(Application->MouseControl(), list);
    ASSERT_TRUE(PumpUntil([&] { return HintVisible(*hints); }, 3000));
    EXPECT_EQ(TooltipText(hints->HintWindow()), "File names"); // the short part
}
