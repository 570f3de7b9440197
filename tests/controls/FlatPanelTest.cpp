// The flat panel: insets for aligned children, bound lines, caption,
// paint event, enabled mode, focus.

#include "controls/FlatPanel.h"
#include "controls/FlatButton.h"
#include "support/Render.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

namespace {

TFlatPanel* FramedPanel(TForm& form, int width, int height)
{
    auto* panel = new TFlatPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(5, 5, width, height);
    panel->SetBorderWidth(1);
    panel->SetBoundColor(clBlack);
    panel->SetBoundLines(TBoundLine::All);
    panel->SetColor(RGBColor(0xFF, 0xFB, 0xF7));
    return panel;
}

} // namespace

TEST(FlatPanel, AlignedChildrenSitInsideBorderAndBoundLines)
{
    TestForm form;
    TFlatPanel* panel = FramedPanel(form, 212, 147);
    auto* client = new TFlatButton(&form);
    client->SetParent(panel);
    client->SetAlign(TAlign::Client);
    EXPECT_EQ(client->Left(), 2);
    EXPECT_EQ(client->Top(), 2);
    EXPECT_EQ(client->Width(), 208);
    EXPECT_EQ(client->Height(), 143);

    TFlatPanel* column = FramedPanel(form, 116, 287);
    auto* header = new TFlatPanel(&form);
    header->SetParent(column);
    header->SetHeight(15);
    header->SetAlign(TAlign::Top);
    EXPECT_EQ(header->Left(), 2);
    EXPECT_EQ(header->Top(), 2);
    EXPECT_EQ(header->Width(), 112);

    // Hidden bound lines neither draw nor inset; the border still insets.
    panel->SetShowBoundLines(false);
    EXPECT_EQ(client->Left(), 1);
    EXPECT_EQ(client->Width(), 210);
}

TEST(FlatPanel, DrawsItsBoundLinesAndBackground)
{
    TestForm form;
    TFlatPanel* panel = FramedPanel(form, 40, 30);
    auto shot = RenderControl(*panel);
    EXPECT_EQ(Hex(PixelAt(*shot, 0, 0)), "#000000");
    EXPECT_EQ(Hex(PixelAt(*shot, 39, 15)), "#000000");
    EXPECT_EQ(Hex(PixelAt(*shot, 20, 29)), "#000000");
    EXPECT_EQ(Hex(PixelAt(*shot, 39, 29)), "#000000");
    EXPECT_EQ(Hex(PixelAt(*shot, 1, 1)), "#FFFBF7");
    EXPECT_EQ(Hex(PixelAt(*shot, 20, 15)), "#FFFBF7");

    // Resizing repaints the whole panel, the new edge lines included.
    panel->SetBounds(5, 5, 60, 30);
    shot = RenderControl(*panel);
    EXPECT_EQ(Hex(PixelAt(*shot, 59, 15)), "#000000");
}

TEST(FlatPanel, PaintEventGetsTheInsetRectangle)
{
    TestForm form;
    auto* plain = new TFlatPanel(&form);
    plain->SetParent(&form);
    plain->SetBounds(0, 0, 50, 20);
    RECT seen{};
    plain->OnPaint = [&](TObject* sender, RECT rect, TCanvas&, TFont&) {
        EXPECT_EQ(sender, plain);
        seen = rect;
    };
    RenderControl(*plain);
    EXPECT_EQ(seen.left, 0);
    EXPECT_EQ(seen.right, 50);
    EXPECT_EQ(seen.bottom, 20);

    TFlatPanel* framed = FramedPanel(form, 50, 20);
    framed->OnPaint = plain->OnPaint = [&](TObject*, RECT rect, TCanvas&, TFont&) { seen = rect; };
    RenderControl(*framed);
    EXPECT_EQ(seen.left, 2);
    EXPECT_EQ(seen.top, 2);
    EXPECT_EQ(seen.right, 48);
    EXPECT_EQ(seen.bottom, 18);
}

TEST(FlatPanel, CaptionStartsAfterSpacingAndTooLongEndsInEllipsis)
{
    TestForm form;
    auto* header = new TFlatPanel(&form);
    header->SetParent(&form);
    header->SetBounds(0, 0, 112, 15);
    header->SetColor(clWhite);
    header->SetCaption("Actions");
    header->SetShowCaption(true);
    header->SetAlignment(TAlignment::LeftJustify);
    header->SetSpacing(24);
    header->Font().SetColor(clBlack);
    auto shot = RenderControl(*header);
    int firstInk = -1;
    for (int x = 0; x < 112 && firstInk < 0; ++x)
        for (int y = 0; y < 15; ++y)
            if (PixelAt(*shot, x, y) != RGB(255, 255, 255)) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, 24);
    EXPECT_LE(firstInk, 26);

    // Centred but too wide: drawn from the left with a trailing ellipsis,
    // so the ink reaches close to the right margin but not past it.
    header->SetAlignment(TAlignment::Center);
    header->SetSpacing(5);
    header->SetCaption("A caption much wider than the panel can show");
    shot = RenderControl(*header);
    int lastInk = -1;
    firstInk = -1;
    for (int x = 0; x < 112; ++x)
        for (int y = 0; y < 15; ++y)
            if (PixelAt(*shot, x, y) != RGB(255, 255, 255)) {
                if (firstInk < 0)
                    firstInk = x;
                lastInk = x;
            }
    EXPECT_LE(firstInk, 7);
    EXPECT_LT(lastInk, 107);
    EXPECT_GT(lastInk, 95);
}

TEST(FlatPanel, EnabledModeAffectsChildren)
{
    TestForm form;
    auto* panel = new TFlatPanel(&form);
    panel->SetParent(&form);
    auto* first = new TFlatButton(&form);
    first->SetParent(panel);
    auto* second = new TFlatButton(&form);
    second->SetParent(panel);
    int events = 0;
    panel->OnEnabledChanged = [&](TObject*) { ++events; };

    panel->SetEnabled(false);
    EXPECT_EQ(events, 1);
    EXPECT_TRUE(first->Enabled()); // Normal leaves the children alone

    panel->SetEnabledMode(TEnabledMode::AffectChildren); // disables them at once
    EXPECT_FALSE(first->Enabled());
    EXPECT_FALSE(second->Enabled());
    EXPECT_EQ(events, 2);

    panel->SetEnabled(true);
    EXPECT_TRUE(first->Enabled());
    EXPECT_TRUE(second->Enabled());
    EXPECT_EQ(events, 3);
}

TEST(FlatPanel, ClickDoesNotTakeTheFocusUnlessFocusable)
{
    TestForm form;
    auto* button = new TFlatButton(&form);
    button->SetParent(&form);
    button->SetBounds(100, 10, 73, 21);
    auto* panel = new TFlatPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 80, 40);
    button->SetFocus();
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button->Focused());
    panel->SetFocusable(true);
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(panel->Focused());
}
