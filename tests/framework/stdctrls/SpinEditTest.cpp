// The spin edit: any text until the focus leaves, then a number in range;
// the value read from the text; arrows and keys.

#include "framework/stdctrls/SpinEdit.h"

#include "framework/stdctrls/CheckBox.h"
#include "support/ModalScript.h"
#include "support/Render.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

struct SpinFixture : testing::Test {
    TestForm form{300, 200, true};
    TSpinEdit* spin = new TSpinEdit(&form);
    TCheckBox* other = new TCheckBox(&form);
    SpinFixture()
    {
        spin->SetMinValue(1);
        spin->SetMaxValue(1000);
        spin->SetValue(1);
        spin->SetParent(&form);
        spin->SetBounds(10, 10, 43, 22);
        other->SetParent(&form);
        other->SetBounds(10, 50, 80, 17);
    }
    std::string WindowText()
    {
        char text[64] = {};
        GetWindowTextA(spin->Handle(), text, sizeof text);
        return text;
    }
    // The focus goes into the spin edit and out again.
    void VisitAndLeave()
    {
        spin->SetFocus();
        ASSERT_EQ(GetFocus(), spin->Handle());
        other->SetFocus();
        ASSERT_EQ(GetFocus(), other->Handle());
    }
};

} // namespace

TEST_F(SpinFixture, AnyTextStaysUntilTheFocusLeavesThenItIsCorrected)
{
    const struct {
        const char* Set;
        int Value;
        const char* Corrected;
    } cases[] = {
        {"5000", 1000, "1000"}, {"0", 1, "1"},   {"abc", 1, "1"},
        {"", 1, "1"},           {" 7 ", 7, "7"}, {"42", 42, "42"},
    };
    for (const auto& each : cases) {
        spin->SetText(each.Set);
        EXPECT_EQ(spin->Text(), each.Set);
        EXPECT_EQ(WindowText(), each.Set); // not corrected while set
        EXPECT_EQ(spin->Value(), each.Value) << each.Set;
        // Getting the focus changes nothing; losing it corrects.
        spin->SetFocus();
        EXPECT_EQ(spin->Text(), each.Set);
        other->SetFocus();
        EXPECT_EQ(spin->Text(), each.Corrected) << each.Set;
        EXPECT_EQ(WindowText(), each.Corrected);
    }
}

TEST_F(SpinFixture, TheArrowsAndTheUpDownKeysStepWithinTheRange)
{
    spin->SetText("999");
    HWND arrows = FindDescendant(spin->Handle(), UPDOWN_CLASSA);
    ASSERT_NE(arrows, nullptr);
    RECT area;
    GetClientRect(arrows, &area);
    const LPARAM upper = MAKELPARAM(area.right / 2, 2);
    const LPARAM lower = MAKELPARAM(area.right / 2, area.bottom - 3);
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, upper);
    SendMessageA(arrows, WM_LBUTTONUP, 0, upper);
    EXPECT_EQ(spin->Text(), "1000");
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, upper);
    SendMessageA(arrows, WM_LBUTTONUP, 0, upper);
    EXPECT_EQ(spin->Text(), "1000"); // held at the maximum
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, lower);
    SendMessageA(arrows, WM_LBUTTONUP, 0, lower);
    EXPECT_EQ(spin->Text(), "999");

    spin->SetText("abc"); // not a number: steps from the minimum
    SendMessageA(spin->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(spin->Text(), "2");
    SendMessageA(spin->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(spin->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(spin->Text(), "1");
}

TEST_F(SpinFixture, TypingTakesDigitsAndSignsOnly)
{
    spin->SetText("");
    spin->SetFocus();
    for (char c : std::string("1a2 b3"))
        SendMessageA(spin->Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    EXPECT_EQ(spin->Text(), "123");
    SendMessageA(spin->Handle(), WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(spin->Text(), "12");
}

TEST_F(SpinFixture, TextAndArrowsSurviveARebuiltWindowAndFollowEnabled)
{
    spin->SetText("77x");
    form.RecreateWnd();
    EXPECT_EQ(WindowText(), "77x");
    spin->SetEnabled(false);
    HWND arrows = FindDescendant(spin->Handle(), UPDOWN_CLASSA);
    ASSERT_NE(arrows, nullptr);
    EXPECT_FALSE(IsWindowEnabled(arrows));
    spin->SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(arrows));
}
