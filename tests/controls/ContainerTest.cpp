// The styled container: insets for aligned children, bound lines, caption,
// paint event, enabled mode, focus.

#include "controls/dxButtons.h"
#include "controls/dxContainer.h"
#include "support/Render.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

namespace {

TdxContainer* FramedContainer(TForm& form, int width, int height)
{
    auto* container = new TdxContainer(&form);
    container->SetParent(&form);
    container->SetBounds(5, 5, width, height);
    container->SetBorderWidth(1);
    container->SetBoundColor(clBlack);
    container->SetBoundLines(blLeft | blTop | blRight | blBottom);
    container->SetColor(RGBColor(0xFF, 0xFB, 0xF7));
    return container;
}

} // namespace

TEST(Container, AlignedChildrenSitInsideBorderAndBoundLines)
{
    TestForm form;
    TdxContainer* container = FramedContainer(form, 212, 147);
    auto* client = new TdxButton(&form);
    client->SetParent(container);
    client->SetAlign(TAlign::alClient);
    EXPECT_EQ(client->Left(), 2);
    EXPECT_EQ(client->Top(), 2);
    EXPECT_EQ(client->Width(), 208);
    EXPECT_EQ(client->Height(), 143);

    TdxContainer* column = FramedContainer(form, 116, 287);
    auto* header = new TdxContainer(&form);
    header->SetParent(column);
    header->SetHeight(15);
    header->SetAlign(TAlign::alTop);
    EXPECT_EQ(header->Left(), 2);
    EXPECT_EQ(header->Top(), 2);
    EXPECT_EQ(header->Width(), 112);

    // Hidden bound lines neither draw nor inset; the border still insets.
    container->SetShowBoundLines(false);
    EXPECT_EQ(client->Left(), 1);
    EXPECT_EQ(client->Width(), 210);
}

TEST(Container, DrawsItsBoundLinesAndBackground)
{
    TestForm form;
    TdxContainer* container = FramedContainer(form, 40, 30);
    auto shot = RenderControl(*container);
    EXPECT_EQ(Hex(PixelAt(*shot, 0, 0)), "#000000");
    EXPECT_EQ(Hex(PixelAt(*shot, 39, 15)), "#000000");
    EXPECT_EQ(Hex(PixelAt(*shot, 20, 29)), "#000000");
    EXPECT_EQ(Hex(PixelAt(*shot, 39, 29)), "#000000");
    EXPECT_EQ(Hex(PixelAt(*shot, 1, 1)), "#FFFBF7");
    EXPECT_EQ(Hex(PixelAt(*shot, 20, 15)), "#FFFBF7");

    // Resizing repaints the whole container, the new edge lines included.
    container->SetBounds(5, 5, 60, 30);
    shot = RenderControl(*container);
    EXPECT_EQ(Hex(PixelAt(*shot, 59, 15)), "#000000");
}

TEST(Container, PaintEventGetsTheInsetRectangle)
{
    TestForm form;
    auto* plain = new TdxContainer(&form);
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

    TdxContainer* framed = FramedContainer(form, 50, 20);
    framed->OnPaint = plain->OnPaint = [&](TObject*, RECT rect, TCanvas&, TFont&) { seen = rect; };
    RenderControl(*framed);
    EXPECT_EQ(seen.left, 2);
    EXPECT_EQ(seen.top, 2);
    EXPECT_EQ(seen.right, 48);
    EXPECT_EQ(seen.bottom, 18);
}

TEST(Container, CaptionStartsAfterSpacingAndTooLongEndsInEllipsis)
{
    TestForm form;
    auto* header = new TdxContainer(&form);
    header->SetParent(&form);
    header->SetBounds(0, 0, 112, 15);
    header->SetColor(clWhite);
    header->SetCaption("Actions");
    header->SetShowCaption(true);
    header->SetAlignment(TAlignment::taLeftJustify);
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
    header->SetAlignment(TAlignment::taCenter);
    header->SetSpacing(5);
    header->SetCaption("A caption much wider than the container can show");
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

TEST(Container, EnabledModeAffectsChildren)
{
    TestForm form;
    auto* container = new TdxContainer(&form);
    container->SetParent(&form);
    auto* first = new TdxButton(&form);
    first->SetParent(container);
    auto* second = new TdxButton(&form);
    second->SetParent(container);
    int events = 0;
    container->OnEnabledChanged = [&](TObject*) { ++events; };

    container->SetEnabled(false);
    EXPECT_EQ(events, 1);
    EXPECT_TRUE(first->Enabled()); // emNormal leaves the children alone

    container->SetEnabledMode(TdxEnabledMode::emAffectChilds); // disables them at once
    EXPECT_FALSE(first->Enabled());
    EXPECT_FALSE(second->Enabled());
    EXPECT_EQ(events, 2);

    container->SetEnabled(true);
    EXPECT_TRUE(first->Enabled());
    EXPECT_TRUE(second->Enabled());
    EXPECT_EQ(events, 3);
}

TEST(Container, ClickDoesNotTakeTheFocusUnlessFocusable)
{
    TestForm form;
    auto* button = new TdxButton(&form);
    button->SetParent(&form);
    button->SetBounds(100, 10, 73, 21);
    auto* container = new TdxContainer(&form);
    container->SetParent(&form);
    container->SetBounds(0, 0, 80, 40);
    button->SetFocus();
    SendMessageA(container->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(container->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button->Focused());
    container->SetFocusable(true);
    SendMessageA(container->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(container->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(container->Focused());
}
