// Hints: a tooltip with the control's hint after the mouse rests on it,
// for non-windowed and windowed controls, following changes of the text.

#include "framework/Application.h"
#include "framework/Hints.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/ListBox.h"
#include "support/Render.h"
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

// While it lives, the thread sees no mouse moves of the real pointer: the
// test alone moves the mouse, with WM_MOUSEMOVE sent to the window under
// the point. The real pointer's moves arrive whenever the platform gets to
// them: under Wine's virtual desktop the pointer's X events come back
// through another process, under load hundreds of milliseconds late, and a
// late one for an earlier position would take the mouse off the control
// the test just moved onto.
class TestOwnsTheMouse {
public:
    TestOwnsTheMouse() : hook_(SetWindowsHookExA(WH_GETMESSAGE, &Filter, nullptr, GetCurrentThreadId())) {}
    TestOwnsTheMouse(const TestOwnsTheMouse&) = delete;
    TestOwnsTheMouse& operator=(const TestOwnsTheMouse&) = delete;
    ~TestOwnsTheMouse() { UnhookWindowsHookEx(hook_); }
    bool Active() const { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK Filter(int code, WPARAM removal, LPARAM message)
    {
        auto& msg = *reinterpret_cast<MSG*>(message);
        if (code == HC_ACTION && (msg.message == WM_MOUSEMOVE || msg.message == WM_MOUSELEAVE))
            msg.message = WM_NULL;
        return CallNextHookEx(nullptr, code, removal, message);
    }
    HHOOK hook_;
};

struct HintFixture : testing::Test {
    TestOwnsTheMouse mouse;
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
    // The mouse moves onto a point of the form, as the platform tells it.
    void MoveTo(int x, int y)
    {
        ASSERT_TRUE(mouse.Active());
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
    SendMessageA(list->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(Application->MouseControl(), list);
    ASSERT_TRUE(PumpUntil([&] { return HintVisible(*hints); }, 3000));
    EXPECT_EQ(TooltipText(hints->HintWindow()), "File names"); // the short part
}
