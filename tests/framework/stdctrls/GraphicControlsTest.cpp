// Labels, shapes and images, painted by their parent: checked by pixels.

#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/Shape.h"
#include "support/Render.h"

#include <gtest/gtest.h>

namespace {

const TColor kBackground = RGBColor(200, 220, 240);

bool IsDark(COLORREF color)
{
    return GetRValue(color) < 100 && GetGValue(color) < 100 && GetBValue(color) < 100;
}

// Dark (text) pixels in a rectangle of a picture.
int DarkPixels(TBitmap& picture, const RECT& area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += IsDark(PixelAt(picture, x, y));
    return count;
}

// A black and white checkerboard of cell x cell pixels per square.
std::unique_ptr<TBitmap> Checkerboard(int squares, int cell)
{
    auto board = std::make_unique<TBitmap>(squares * cell, squares * cell);
    for (int y = 0; y < squares * cell; ++y)
        for (int x = 0; x < squares * cell; ++x)
            board->Canvas().SetPixel(x, y, ((x / cell + y / cell) % 2) ? clWhite : clBlack);
    return board;
}

struct PaintFixture : testing::Test {
    TestForm form{300, 200, false};
    PaintFixture() { form.SetColor(kBackground); }
};

} // namespace

TEST_F(PaintFixture, AFixedSizeWrappedTransparentLabelShowsItsFirstLineOnTheParent)
{
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetAutoSize(false);
    label->SetBounds(20, 30, 139, 13);
    label->SetWordWrap(true);
    label->SetTransparent(true);
    label->Font().SetStyle(TFontStyle::Bold);
    label->Font().SetColor(clBlack);
    label->SetCaption("Wallpaper number one with a long name.jpg");
    EXPECT_EQ(label->Width(), 139);
    EXPECT_EQ(label->Height(), 13);

    auto picture = RenderControl(form);
    // Text in the label's box; the parent's colour around the letters
    // (transparent) and below the box, where the wrapped lines are cut off.
    EXPECT_GT(DarkPixels(*picture, {20, 30, 159, 43}), 30);
    EXPECT_EQ(PixelAt(*picture, 158, 42), ColorToRGB(kBackground));
    EXPECT_EQ(DarkPixels(*picture, {20, 43, 159, 70}), 0);
}

TEST_F(PaintFixture, AnOpaqueLabelFillsWithItsColourAndAnAutoSizedOneFollowsItsFont)
{
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetLeft(10);
    label->SetTop(10);
    label->SetCaption("Total : 0 file(s)");
    const int normalWidth = label->Width();
    label->Font().SetStyle(TFontStyle::Bold);
    EXPECT_GT(label->Width(), normalWidth); // measured again in bold
    label->SetColor(RGBColor(255, 0, 0));
    auto picture = RenderControl(form);
    EXPECT_EQ(PixelAt(*picture, 10 + label->Width() - 1, 10), ColorToRGB(RGBColor(255, 0, 0)));
    EXPECT_EQ(PixelAt(*picture, 10 + label->Width(), 10), ColorToRGB(kBackground));

    // "&" shows itself when accelerators are off.
    label->SetShowAccelChar(true);
    label->SetCaption("Tom & Jerry");
    const int withPrefix = label->Width();
    label->SetShowAccelChar(false);
    EXPECT_GT(label->Width(), withPrefix);
}

TEST_F(PaintFixture, AShapeOfOnePixelIsALineInItsPenColour)
{
    auto* line = new TShape(&form);
    line->SetParent(&form);
    line->SetBounds(5, 21, 52, 1);
    line->Pen().SetColor(clSilver);
    auto* frame = new TShape(&form);
    frame->SetParent(&form);
    frame->SetBounds(100, 100, 10, 8);
    frame->Pen().SetColor(clSilver);
    frame->Brush().SetColor(clWhite);

    auto picture = RenderControl(form);
    for (int x = 5; x < 57; ++x)
        EXPECT_EQ(PixelAt(*picture, x, 21), ColorToRGB(clSilver)) << x;
    EXPECT_EQ(PixelAt(*picture, 57, 21), ColorToRGB(kBackground));
    EXPECT_EQ(PixelAt(*picture, 5, 20), ColorToRGB(kBackground));
    EXPECT_EQ(PixelAt(*picture, 5, 22), ColorToRGB(kBackground));
    // A larger shape: outline in the pen's colour around the brush's.
    EXPECT_EQ(PixelAt(*picture, 100, 100), ColorToRGB(clSilver));
    EXPECT_EQ(PixelAt(*picture, 109, 107), ColorToRGB(clSilver));
    EXPECT_EQ(PixelAt(*picture, 104, 104), ColorToRGB(clWhite));

    line->Pen().SetColor(clBlack);
    picture = RenderControl(form);
    EXPECT_EQ(PixelAt(*picture, 30, 21), 0u);
}

TEST_F(PaintFixture, AStretchedImageBlendsAnEnlargedPicture)
{
    auto* image = new TImage(&form);
    image->SetParent(&form);
    image->SetBounds(0, 0, 40, 40);
    image->SetStretch(true);
    image->Picture().Assign(*Checkerboard(2, 1)); // 2 x 2 pixels to 40 x 40

    auto picture = RenderControl(form);
    // Nearest-pixel stretching gives four pure squares; a good stretch has
    // tones between black and white where the squares meet.
    int between = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const int red = GetRValue(PixelAt(*picture, x, y));
            between += red > 40 && red < 215;
        }
    EXPECT_GT(between, 40);
    // The corners keep the picture's own colours.
    EXPECT_LT(GetRValue(PixelAt(*picture, 0, 0)), 40);
    EXPECT_GT(GetRValue(PixelAt(*picture, 39, 0)), 215);
}

TEST_F(PaintFixture, AStretchedImageAveragesAReducedPicture)
{
    auto* image = new TImage(&form);
    image->SetParent(&form);
    image->SetBounds(10, 10, 30, 20);
    image->SetStretch(true);
    image->Picture().Assign(*Checkerboard(60, 2)); // fine checks, 120 x 120 into 30 x 20

    auto picture = RenderControl(form);
    // Nearest-pixel (or sampling) leaves black and white checks; averaging
    // gives an even grey.
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 40; ++x) {
            const int red = GetRValue(PixelAt(*picture, x, y));
            EXPECT_TRUE(red > 100 && red < 155) << x << "," << y << ": " << red;
        }
}

TEST(Image, RepaintsWhenItsPictureChanges)
{
    TestForm form(300, 200, true); // only a shown window collects repaints
    form.SetColor(kBackground);
    auto* image = new TImage(&form);
    image->SetParent(&form);
    image->SetBounds(50, 60, 20, 10);
    image->SetStretch(true);
    UpdateWindow(form.Handle());
    ValidateRect(form.Handle(), nullptr);

    TBitmap red(4, 4);
    red.Canvas().Brush().SetColor(RGBColor(255, 0, 0));
    red.Canvas().FillRect({0, 0, 4, 4});
    image->Picture().Assign(red);
    RECT pending;
    ASSERT_TRUE(GetUpdateRect(form.Handle(), &pending, FALSE));
    EXPECT_LE(pending.left, 50);
    EXPECT_GE(pending.right, 70);
    EXPECT_EQ(image->Picture().Width(), 4);

    // The image holds its own copy.
    red.Canvas().FillRect({0, 0, 4, 4});
    red.SetSize(1, 1);
    auto picture = RenderControl(form);
    EXPECT_EQ(PixelAt(*picture, 60, 65), ColorToRGB(RGBColor(255, 0, 0)));

    ValidateRect(form.Handle(), nullptr);
    image->Picture().Clear();
    EXPECT_TRUE(GetUpdateRect(form.Handle(), &pending, FALSE));
    picture = RenderControl(form);
    EXPECT_EQ(PixelAt(*picture, 60, 65), ColorToRGB(kBackground));
}

TEST_F(PaintFixture, AnUnstretchedImageShowsThePictureInItsOwnSizeAtTheCorner)
{
    auto* image = new TImage(&form);
    image->SetParent(&form);
    image->SetBounds(0, 0, 50, 50);
    image->Picture().Assign(*Checkerboard(2, 5)); // 10 x 10
    auto picture = RenderControl(form);
    EXPECT_EQ(PixelAt(*picture, 2, 2), 0u);
    EXPECT_EQ(PixelAt(*picture, 7, 2), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(*picture, 20, 20), ColorToRGB(kBackground));
}
