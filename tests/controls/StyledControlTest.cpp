// The styled control base: visual state driven by real messages, redraw
// triggers, lock/unlock, and the style manager's links.

#include "controls/FlatButton.h"
#include "controls/FlatPanel.h"
#include "controls/HeaderToolButton.h"
#include "support/Render.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

namespace {

// Counts repaint requests instead of only invalidating.
class CountingButton : public TFlatButton {
public:
    using TFlatButton::TFlatButton;
    void Redraw() override
    {
        ++redraws;
        TFlatButton::Redraw();
    }
    int redraws = 0;
};

CountingButton* AddButton(TForm& form, int left, int top, const std::string& caption = "")
{
    auto* button = new CountingButton(&form);
    button->SetParent(&form);
    button->SetBounds(left, top, 73, 21);
    button->SetCaption(caption);
    return button;
}

} // namespace

TEST(StyledControl, DragFromOneControlAndReleaseOverAnotherMakesThatOneHot)
{
    TestForm form;
    CountingButton* first = AddButton(form, 10, 10);
    CountingButton* second = AddButton(form, 10, 60);
    int firstClicks = 0, secondEnters = 0;
    first->OnClick = [&](TObject*) { ++firstClicks; };
    second->OnMouseEnter = [&](TObject*) { ++secondEnters; };
    HWND window = first->Handle();

    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(first->VisualState,
              TVisualStateFlag::Hot | TVisualStateFlag::Pressed | TVisualStateFlag::Focused);
    EXPECT_TRUE(first->LeftButtonDown);

    // Dragged off: no longer hot, still pressed (the blue-ring look).
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 55));
    EXPECT_EQ(first->VisualState, TVisualStateFlag::Pressed | TVisualStateFlag::Focused);
    EXPECT_TRUE(first->IsHighlighted(true));

    const POINT over = second->ClientToScreen({5, 5});
    SetCursorPos(over.x, over.y);
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 55));
    EXPECT_EQ(first->VisualState, TVisualStateFlag::Focused);
    EXPECT_FALSE(first->LeftButtonDown);
    EXPECT_EQ(firstClicks, 0);
    EXPECT_TRUE(second->VisualState & TVisualStateFlag::Hot);
    EXPECT_EQ(secondEnters, 1);
    SetCursorPos(0, 0);
    Application->SetMouseControl(nullptr);
}

TEST(StyledControl, OtherMouseButtonsDoNotPressOrRelease)
{
    TestForm form;
    CountingButton* button = AddButton(form, 10, 10);
    HWND window = button->Handle();
    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(button->VisualState & TVisualStateFlag::Pressed);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button->VisualState & TVisualStateFlag::Pressed);
    SendMessageA(window, WM_MBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button->VisualState & TVisualStateFlag::Pressed);
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(button->VisualState & TVisualStateFlag::Pressed);
}

TEST(StyledControl, FocusLeavingClearsFocusedAndPressed)
{
    TestForm form;
    CountingButton* first = AddButton(form, 10, 10);
    CountingButton* second = AddButton(form, 10, 60);
    first->SetFocus();
    EXPECT_TRUE(first->VisualState & TVisualStateFlag::Focused);
    EXPECT_TRUE(second->ActiveControlIsStyled);
    first->VisualState |= TVisualStateFlag::Pressed;
    second->SetFocus();
    EXPECT_FALSE(first->VisualState & (TVisualStateFlag::Focused | TVisualStateFlag::Pressed));
    EXPECT_TRUE(second->VisualState & TVisualStateFlag::Focused);
}

TEST(StyledControl, FocusedButtonThatIsDisabledOrHiddenPassesTheFocusOn)
{
    TestForm form;
    CountingButton* first = AddButton(form, 10, 10, "First");
    CountingButton* apply = AddButton(form, 10, 40, "Apply");
    CountingButton* next = AddButton(form, 10, 70, "Next");
    int firstClicks = 0;
    first->OnClick = [&](TObject*) { ++firstClicks; };
    // A key as the user types it: to the window with the keyboard focus,
    // through the application's own dispatch.
    auto press = [](WORD key) {
        MSG msg{GetFocus(), WM_KEYDOWN, key, 0, 0, {0, 0}};
        Application->DispatchOne(msg);
    };
    apply->SetFocus();
    ASSERT_TRUE(apply->VisualState & TVisualStateFlag::Focused);

    EnableWindow(apply->Handle(), FALSE);
    EXPECT_EQ(GetFocus(), next->Handle());
    EXPECT_EQ(form.ActiveControl(), next);
    EXPECT_FALSE(apply->VisualState & TVisualStateFlag::Focused);
    EXPECT_TRUE(next->VisualState & TVisualStateFlag::Focused);
    auto shot = RenderControl(*apply);
    auto& focusRing = const_cast<TBitmap&>(apply->FocusRingBitmap());
    EXPECT_NE(Hex(PixelAt(*shot, 30, 1)), Hex(PixelAt(focusRing, 29, 0)));

    // Tab goes round past the disabled button; Enter clicks the focused one.
    press(VK_TAB);
    EXPECT_EQ(form.ActiveControl(), first);
    press(VK_RETURN);
    EXPECT_EQ(firstClicks, 1);

    // Hidden while focused: the next tab stop takes the focus.
    ShowWindow(first->Handle(), SW_HIDE);
    EXPECT_EQ(GetFocus(), next->Handle());
    EXPECT_EQ(form.ActiveControl(), next);
    EXPECT_FALSE(first->VisualState & TVisualStateFlag::Focused);
}

TEST(StyledControl, DefaultTriggersRepaintOnlyForTheirReactions)
{
    TestForm form;
    CountingButton* button = AddButton(form, 10, 10);
    auto count = [&](auto&& action) {
        button->redraws = 0;
        action();
        return button->redraws;
    };
    EXPECT_EQ(count([&] { button->SetCaption("changed"); }), 1);
    EXPECT_EQ(count([&] { button->Perform(CM_BORDERCHANGED); }), 0);
    EXPECT_EQ(count([&] { SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)); }) > 0,
              true); // the move makes it hot: the enter repaints, the move itself does not
    EXPECT_EQ(count([&] { button->Perform(CM_PARENTFONTCHANGED); }), 0);
    EXPECT_EQ(count([&] { button->Perform(CM_PARENTCOLORCHANGED); }), 1);
    EXPECT_EQ(count([&] { button->Perform(CM_ENABLEDCHANGED); }), 1);
    EXPECT_EQ(button->RedrawTriggers, 0x037D);
    Application->SetMouseControl(nullptr);
}

TEST(StyledControl, LockedRedrawRequestsNothingUntilUnlocked)
{
    TestForm form;
    CountingButton* button = AddButton(form, 10, 10);
    PumpMessages(0);
    button->LockRedraw();
    button->SetCaption("one");
    button->SetSpacing(9);
    // Nothing is invalid while locked.
    EXPECT_FALSE(GetUpdateRect(button->Handle(), nullptr, FALSE));
    button->UnlockRedraw();
    EXPECT_TRUE(GetUpdateRect(button->Handle(), nullptr, FALSE));
    EXPECT_FALSE(button->RedrawLocked);
}

TEST(StyleManager, RegisterMoveThemeChangeAndDestroy)
{
    TestForm form;
    auto* first = new TStyleManager(&form);
    auto* second = new TStyleManager(&form);
    auto* tool = new THeaderToolButton(&form);
    tool->SetParent(&form);
    auto* other = new THeaderToolButton(&form);
    other->SetParent(&form);

    tool->SetStyleManager(first);
    other->SetStyleManager(first);
    EXPECT_EQ(first->RegisteredControls().size(), 2u);
    tool->SetStyleManager(second);
    EXPECT_EQ(first->RegisteredControls().size(), 1u);
    ASSERT_EQ(second->RegisteredControls().size(), 1u);
    EXPECT_EQ(second->RegisteredControls()[0], tool);

    // Registering twice keeps one entry; unregistering a stranger does nothing.
    second->RegisterControls({tool});
    second->UnregisterControls({other});
    EXPECT_EQ(second->RegisteredControls().size(), 1u);

    int themeEvents = 0;
    second->OnThemeChanged = [&](TObject* sender) {
        EXPECT_EQ(sender, second);
        ++themeEvents;
    };
    PumpMessages(0);
    second->SetTheme(TTheme::OfficeXP);
    second->SetTheme(TTheme::OfficeXP);
    EXPECT_EQ(themeEvents, 1);
    EXPECT_TRUE(GetUpdateRect(tool->Handle(), nullptr, FALSE));
    EXPECT_EQ(tool->Style().EffectiveTheme(), TTheme::OfficeXP);
    tool->Style().SetUseStyleManager(false);
    EXPECT_EQ(tool->Style().EffectiveTheme(), TTheme::WindowsXP);

    delete second;
    EXPECT_EQ(tool->StyleManager(), nullptr);
    // Any manager of the owner going clears the links of its controls.
    EXPECT_EQ(other->StyleManager(), nullptr);
}

TEST(StyleManager, ManagerOwnedElsewhereClearsTheLinkWhenItGoes)
{
    TestForm form;
    TComponent elsewhere(nullptr);
    auto* manager = new TStyleManager(&elsewhere);
    auto* tool = new THeaderToolButton(&form);
    tool->SetParent(&form);
    tool->SetStyleManager(manager);
    delete manager;
    EXPECT_EQ(tool->StyleManager(), nullptr);
    EXPECT_EQ(tool->Style().EffectiveTheme(), TTheme::WindowsXP);
}

TEST(StyledControl, VersionBannersEndInTheLibraryVersion)
{
    TestForm form;
    CountingButton* button = AddButton(form, 0, 0);
    TStyleManager manager(nullptr);
    const std::string suffix = "Version 2.0.1";
    ASSERT_GT(button->Version().size(), suffix.size());
    EXPECT_EQ(button->Version().substr(button->Version().size() - suffix.size()), suffix);
    EXPECT_EQ(manager.Version().substr(manager.Version().size() - suffix.size()), suffix);
    EXPECT_NE(button->Version(), manager.Version());
    button->SetVersion("something else");
    EXPECT_EQ(button->Version().substr(button->Version().size() - suffix.size()), suffix);
}
