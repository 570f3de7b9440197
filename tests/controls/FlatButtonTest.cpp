// The flat push button: its rendered looks, read back pixel by pixel, and
// its keyboard behaviour driven by real window messages.

#include "controls/FlatButton.h"
#include "core/Exceptions.h"
#include "support/Render.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kBorder = RGB(0x00, 0x38, 0x73);
const COLORREF kBorderDisabled = RGB(0xCE, 0xC7, 0xBD);

struct ButtonOnForm {
    TestForm form;
    TFlatButton* button;
    explicit ButtonOnForm(const std::string& caption = "", int width = 73, int height = 21)
    {
        button = new TFlatButton(&form);
        button->SetParent(&form);
        button->SetBounds(10, 10, width, height);
        button->SetCaption(caption);
        PumpMessages(0);
    }
};

} // namespace

TEST(FlatButton, NormalFaceIsTheGradientOnePixelInsideTheBorder)
{
    ButtonOnForm setup;
    TFlatButton& button = *setup.button;
    auto& face = const_cast<TBitmap&>(button.FaceBitmap());
    ASSERT_EQ(face.Width(), 71);
    ASSERT_EQ(face.Height(), 19);
    auto shot = RenderControl(button);
    for (int y = 1; y < 20; y += 3)
        for (int x = 3; x < 69; x += 5)
            ASSERT_EQ(Hex(PixelAt(*shot, x, y)), Hex(PixelAt(face, x - 1, y - 1))) << x << "," << y;
    EXPECT_EQ(Hex(PixelAt(*shot, 36, 0)), Hex(kBorder));
    EXPECT_EQ(Hex(PixelAt(*shot, 36, 20)), Hex(kBorder));
    EXPECT_EQ(Hex(PixelAt(*shot, 0, 10)), Hex(kBorder));
    EXPECT_EQ(Hex(PixelAt(*shot, 1, 0)), Hex(RGB(0x7B, 0x9E, 0xAD))); // smoothed corner
}

TEST(FlatButton, HotButtonShowsTheOrangeRingAroundASmallerFace)
{
    ButtonOnForm setup;
    TFlatButton& button = *setup.button;
    button.Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&button));
    ASSERT_TRUE(button.VisualState & TVisualStateFlag::Hot);
    auto shot = RenderControl(button);
    auto& face = const_cast<TBitmap&>(button.FaceBitmap());
    auto& ring = const_cast<TBitmap&>(button.HotRingBitmap());
    // The face: 67 x 15 at (3, 3), the top-left part of the face gradient.
    for (int y = 3; y < 18; y += 2)
        for (int x = 3; x < 70; x += 6)
            ASSERT_EQ(Hex(PixelAt(*shot, x, y)), Hex(PixelAt(face, x - 3, y - 3))) << x << "," << y;
    // The two-pixel ring between border and face.
    EXPECT_EQ(Hex(PixelAt(*shot, 30, 1)), Hex(PixelAt(ring, 29, 0)));
    EXPECT_EQ(Hex(PixelAt(*shot, 30, 2)), Hex(PixelAt(ring, 29, 1)));
    EXPECT_EQ(Hex(PixelAt(*shot, 1, 10)), Hex(PixelAt(ring, 0, 9)));
    EXPECT_EQ(Hex(PixelAt(*shot, 70, 10)), Hex(PixelAt(ring, 69, 9)));
    EXPECT_EQ(Hex(PixelAt(*shot, 30, 18)), Hex(PixelAt(ring, 29, 17)));
}

TEST(FlatButton, PressedFaceAndCaptionMoveOnePixel)
{
    ButtonOnForm setup("Apply");
    TFlatButton& button = *setup.button;
    button.Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&button));
    auto hot = RenderControl(button);
    const RECT hotText = DarkBox(*hot, {3, 3, 70, 18});

    button.VisualState |= TVisualStateFlag::Pressed;
    auto pressed = RenderControl(button);
    auto& pressedFace = const_cast<TBitmap&>(button.PressedFaceBitmap());
    EXPECT_EQ(Hex(PixelAt(*pressed, 1, 1)), Hex(PixelAt(pressedFace, 0, 0)));
    EXPECT_EQ(Hex(PixelAt(*pressed, 2, 17)), Hex(PixelAt(pressedFace, 1, 16)));
    const RECT pressedText = DarkBox(*pressed, {3, 3, 70, 19});
    ASSERT_LT(hotText.left, hotText.right);
    EXPECT_EQ(pressedText.left, hotText.left + 1);
    EXPECT_EQ(pressedText.top, hotText.top + 1);

    // Pressed with the pointer moved off: the blue ring, normal face, text back.
    button.VisualState &= ~TVisualStateFlag::Hot;
    auto dragged = RenderControl(button);
    auto& focusRing = const_cast<TBitmap&>(button.FocusRingBitmap());
    EXPECT_EQ(Hex(PixelAt(*dragged, 30, 1)), Hex(PixelAt(focusRing, 29, 0)));
    const RECT draggedText = DarkBox(*dragged, {3, 3, 70, 18});
    EXPECT_EQ(draggedText.left, hotText.left);
    EXPECT_EQ(draggedText.top, hotText.top);
}

TEST(FlatButton, DisabledButtonHasGreyBorderGreyGlyphAndEmbossedText)
{
    ButtonOnForm setup("Exit", 60, 40);
    TFlatButton& button = *setup.button;
    TBitmap glyph(4, 4);
    glyph.Canvas().Brush().SetColor(RGBColor(255, 0, 255));
    glyph.Canvas().FillRect({0, 0, 4, 4});
    glyph.Canvas().SetPixel(1, 1, clBlack);
    button.SetGlyph(glyph);
    button.SetEnabled(false);
    auto shot = RenderControl(button);
    EXPECT_EQ(Hex(PixelAt(*shot, 30, 0)), Hex(kBorderDisabled));
    EXPECT_EQ(Hex(PixelAt(*shot, 0, 20)), Hex(kBorderDisabled));
    EXPECT_EQ(Hex(PixelAt(*shot, 1, 0)), Hex(kBorderDisabled)); // corner lines too
    bool greyGlyphPixel = false, highlight = false, shadow = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            const COLORREF pixel = PixelAt(*shot, x, y);
            greyGlyphPixel |= pixel == RGB(100, 100, 100); // black glyph pixel greyed
            highlight |= pixel == ColorToRGB(clBtnHighlight);
            shadow |= pixel == ColorToRGB(clBtnShadow);
        }
    EXPECT_TRUE(greyGlyphPixel);
    EXPECT_TRUE(highlight);
    EXPECT_TRUE(shadow);
}

TEST(FlatButton, GlyphWithEmptyCaptionAndNoSpacingIsCentredWithOneSpace)
{
    ButtonOnForm setup("", 44, 38);
    TFlatButton& button = *setup.button;
    TBitmap glyph(8, 8);
    glyph.Canvas().Brush().SetColor(clBlack);
    glyph.Canvas().FillRect({0, 0, 8, 8});
    glyph.Canvas().SetPixel(0, 7, clWhite); // the transparent colour
    button.SetSpacing(0);
    button.SetGlyph(glyph);
    auto shot = RenderControl(button);
    const RECT box = DarkBox(*shot, {2, 2, 42, 36}, 40);
    // The glyph and the width of one space are centred together, so the
    // glyph sits left of the middle by half a space.
    TCanvas& canvas = const_cast<TBitmap&>(button.FaceBitmap()).Canvas();
    canvas.Font().Assign(button.Font());
    const int space = canvas.TextWidth(" ");
    EXPECT_EQ(box.left, (44 - (8 + space)) / 2);
    EXPECT_EQ(box.top, (38 - 8) / 2);
}

TEST(FlatButton, EachGradientIsBuiltOncePerSizeAndTheRingsOnlyWhenShown)
{
    ButtonOnForm setup("Apply");
    TFlatButton& button = *setup.button;
    RenderControl(button);
    const int builds = button.GradientBuildCount();
    ASSERT_GE(builds, 1);
    // Hot and back a thousand times: the hot ring is built the first time.
    for (int i = 0; i < 1000; ++i) {
        button.VisualState ^= TVisualStateFlag::Hot;
        RenderControl(button);
    }
    EXPECT_EQ(button.GradientBuildCount(), builds + 1);
    // A new size builds the face at once and the ring again when next shown.
    button.SetBounds(10, 10, 80, 25);
    EXPECT_EQ(button.GradientBuildCount(), builds + 2);
    EXPECT_EQ(const_cast<TBitmap&>(button.FaceBitmap()).Width(), 78);
    button.VisualState |= TVisualStateFlag::Hot;
    RenderControl(button);
    EXPECT_EQ(button.GradientBuildCount(), builds + 3);
    EXPECT_EQ(const_cast<TBitmap&>(button.HotRingBitmap()).Width(), 78);
}

TEST(FlatButton, SpaceClicksOnceAndLeavesTheButtonNeitherHotNorPressed)
{
    ButtonOnForm setup("Apply");
    TFlatButton& button = *setup.button;
    int clicks = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    SetCursorPos(0, 0); // the pointer elsewhere
    SendMessageA(button.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(button.VisualState & TVisualStateFlag::Pressed);
    EXPECT_TRUE(button.Focused());
    SendMessageA(button.Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button.VisualState & (TVisualStateFlag::Hot | TVisualStateFlag::Pressed));

    // With the pointer over the button it stays hot.
    const POINT over = button.ClientToScreen({5, 5});
    SetCursorPos(over.x, over.y);
    SendMessageA(button.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(button.Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(button.VisualState & TVisualStateFlag::Hot);
    EXPECT_FALSE(button.VisualState & TVisualStateFlag::Pressed);
    SetCursorPos(0, 0);
}

TEST(FlatButton, AnyKeyReleasedWhileTheMouseHoldsTheButtonClicksIt)
{
    ButtonOnForm setup("Apply");
    TFlatButton& button = *setup.button;
    int clicks = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    SendMessageA(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(button.VisualState & TVisualStateFlag::Pressed);
    SendMessageA(button.Handle(), WM_KEYUP, 'Q', 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button.VisualState & TVisualStateFlag::Pressed);
    ReleaseCapture();
}

TEST(FlatButton, EnterClicksTheFocusedButtonOrTheDefaultOne)
{
    TestForm form;
    auto* ok = new TFlatButton(&form);
    ok->SetParent(&form);
    ok->SetBounds(10, 10, 73, 21);
    auto* other = new TFlatButton(&form);
    other->SetParent(&form);
    other->SetBounds(10, 40, 73, 21);
    int okClicks = 0, otherClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    other->OnClick = [&](TObject*) { ++otherClicks; };
    ok->SetDefault(true);

    // Focused styled button: Enter clicks that one, and the default button
    // shows no blue ring meanwhile.
    other->SetFocus();
    EXPECT_EQ(form.Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(okClicks, 0);
    EXPECT_TRUE(ok->ActiveControlIsStyled);
    EXPECT_FALSE(ok->IsHighlighted(false));

    // Focus on a control that is not styled: Enter goes to the default.
    auto* edit = new TWinControl(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 80, 50, 20);
    edit->SetTabStop(true);
    edit->SetFocus();
    EXPECT_FALSE(ok->ActiveControlIsStyled);
    EXPECT_TRUE(ok->IsHighlighted(false));
    EXPECT_EQ(form.Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
    EXPECT_EQ(okClicks, 1);

    // Through the application's own keyboard dispatch, as a user's key.
    MSG msg{edit->Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    Application->DispatchOne(msg);
    EXPECT_EQ(okClicks, 2);
}

TEST(FlatButton, EscapeClicksTheCancelButtonButNotWithCtrl)
{
    ButtonOnForm setup("Cancel");
    TFlatButton& button = *setup.button;
    int clicks = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(setup.form.Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 0);
    button.Cancel = true;
    EXPECT_EQ(setup.form.Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 1);
    EXPECT_EQ(clicks, 1);

    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_EQ(setup.form.Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(clicks, 1);
}

TEST(FlatButton, AltAcceleratorClicksAndTheBareLetterOnlyWhenFocused)
{
    TestForm form;
    auto* load = new TFlatButton(&form);
    load->SetParent(&form);
    load->SetBounds(10, 10, 73, 21);
    load->SetCaption("&Load");
    auto* other = new TFlatButton(&form);
    other->SetParent(&form);
    other->SetBounds(10, 40, 73, 21);
    int clicks = 0;
    load->OnClick = [&](TObject*) { ++clicks; };
    other->SetFocus();

    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'l', 0), 0);
    EXPECT_EQ(clicks, 0);

    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'l', 0), 1);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(clicks, 1);

    load->SetFocus();
    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'L', 0), 1);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'x', 0), 0);
}

TEST(FlatButton, ClickCopiesModalResultToTheForm)
{
    ButtonOnForm setup("OK");
    setup.form.SetModalResult(5);
    setup.button->Click();
    EXPECT_EQ(setup.form.ModalResult(), 0);
    setup.button->ModalResult = 2;
    setup.button->Click();
    EXPECT_EQ(setup.form.ModalResult(), 2);
}

TEST(FlatButton, CornersOutsideTheRoundedBorderShowTheParentsColour)
{
    TestForm form;
    form.SetColor(clWhite);
    auto* button = new TFlatButton(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 73, 21);
    const POINT corners[] = {{0, 0}, {72, 0}, {0, 20}, {72, 20}};
    auto shot = RenderControl(*button);
    for (POINT corner : corners)
        EXPECT_EQ(Hex(PixelAt(*shot, corner.x, corner.y)), "#FFFFFF") << corner.x << "," << corner.y;

    // A parent that changes its colour takes its buttons' corners along.
    form.SetColor(RGBColor(255, 251, 247));
    shot = RenderControl(*button);
    for (POINT corner : corners)
        EXPECT_EQ(Hex(PixelAt(*shot, corner.x, corner.y)), "#FFFBF7") << corner.x << "," << corner.y;
}

TEST(FlatButton, AClickHandlerThatFailsDoesNotLeaveTheButtonHeldDown)
{
    ButtonOnForm setup("Load List");
    TFlatButton& button = *setup.button;
    int clicks = 0;
    button.OnClick = [&](TObject*) {
        ++clicks;
        throw Exception("The list cannot be read");
    };
    CapturedErrors().clear();
    SendMessageA(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    // Inside the focus frame the press brings.
    const RECT caption{4, 4, 69, 17};
    const RECT normal = DarkBox(*RenderControl(button), caption);
    for (int round = 1; round <= 2; ++round) {
        SendMessageA(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ASSERT_EQ(button.VisualState & (TVisualStateFlag::Hot | TVisualStateFlag::Pressed),
                  TVisualStateFlag::Hot | TVisualStateFlag::Pressed);
        SendMessageA(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(clicks, round);
        EXPECT_FALSE(button.VisualState & TVisualStateFlag::Pressed);
        EXPECT_FALSE(button.LeftButtonDown);
        EXPECT_EQ(GetCapture(), nullptr);
        // Drawn released: the caption back in its place.
        const RECT text = DarkBox(*RenderControl(button), caption);
        EXPECT_EQ(text.left, normal.left);
        EXPECT_EQ(text.top, normal.top);
    }
    // Each failure reached the error handler once.
    ASSERT_EQ(CapturedErrors().size(), 2u);
    EXPECT_EQ(CapturedErrors()[0].Text, "The list cannot be read.");
    CapturedErrors().clear();
    Application->SetMouseControl(nullptr);
}

TEST(FlatButton, TheKeyboardFocusIsADottedFrameInTheTextColour)
{
    ButtonOnForm setup("Apply");
    TFlatButton& button = *setup.button;
    auto* other = new TFlatButton(&setup.form);
    other->SetParent(&setup.form);
    other->SetBounds(10, 40, 73, 21);
    // The frame's top edge, clear of the caption.
    const auto frameInk = [&button] {
        auto shot = RenderControl(button);
        int ink = 0;
        for (int x = 4; x < 69; ++x)
            ink += PixelAt(*shot, x, 3) == ColorToRGB(clWindowText) ? 1 : 0;
        return ink;
    };
    other->SetFocus();
    EXPECT_EQ(frameInk(), 0);
    button.SetFocus();
    ASSERT_TRUE(button.VisualState & TVisualStateFlag::Focused);
    // Dotted: about every other pixel along the edge.
    EXPECT_GE(frameInk(), 15);
    EXPECT_LE(frameInk(), 50);
}
