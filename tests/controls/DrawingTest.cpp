// The drawing routines against real GDI bitmaps.

#include "controls/FlatDrawing.h"
#include "controls/GradientMath.h"
#include "framework/Application.h"
#include "support/Render.h"

#include <gtest/gtest.h>

#include <array>

namespace {

COLORREF Entry(TColor start, TColor end, int bands, int index)
{
    const uint32_t a = ColorToRGB(start), b = ColorToRGB(end);
    const auto table = GradientColorTable({uint8_t(a), uint8_t(a >> 8), uint8_t(a >> 16)},
                                          {uint8_t(b), uint8_t(b >> 8), uint8_t(b >> 16)}, bands);
    return RGB(table[index].Red, table[index].Green, table[index].Blue);
}

const TColor kStart = RGBColor(0xFF, 0xF3, 0xCE);
const TColor kEnd = RGBColor(0xE7, 0x96, 0x00);

} // namespace

TEST(CreateGradientBitmap, NineteenRowsWithoutDitherShowTheLastBandOfEachRow)
{
    TBitmap bitmap;
    CreateGradientBitmap(40, 19, kStart, kEnd, 64, TGradientDirection::FromTop, false, bitmap);
    ASSERT_EQ(bitmap.Width(), 40);
    ASSERT_EQ(bitmap.Height(), 19);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::Bits24);
    for (int y = 0; y < 19; ++y) {
        int last = 0;
        for (int i = 0; i < 64; ++i)
            if (BandStart(i, 19, 64) <= y)
                last = i;
        for (int x : {0, 15, 16, 39})
            EXPECT_EQ(Hex(PixelAt(bitmap, x, y)), Hex(Entry(kStart, kEnd, 64, last))) << "row " << y;
    }
    EXPECT_EQ(Hex(PixelAt(bitmap, 5, 0)), Hex(Entry(kStart, kEnd, 64, 1)));
    EXPECT_EQ(Hex(PixelAt(bitmap, 5, 18)), Hex(Entry(kStart, kEnd, 64, 62)));
}

TEST(CreateGradientBitmap, NineteenRowsWithDitherShowThePreviousEntryTheSameEveryTime)
{
    for (int call = 0; call < 3; ++call) {
        TBitmap bitmap;
        CreateGradientBitmap(40, 19, kStart, kEnd, 64, TGradientDirection::FromTop, true, bitmap);
        EXPECT_EQ(Hex(PixelAt(bitmap, 0, 0)), Hex(Entry(kStart, kEnd, 64, 0)));
        EXPECT_EQ(Hex(PixelAt(bitmap, 33, 0)), Hex(Entry(kStart, kEnd, 64, 0)));
        EXPECT_EQ(Hex(PixelAt(bitmap, 7, 18)), Hex(Entry(kStart, kEnd, 64, 61)));
        EXPECT_EQ(Hex(PixelAt(bitmap, 39, 18)), Hex(Entry(kStart, kEnd, 64, 61)));
    }
}

TEST(CreateGradientBitmap, VerticalBandsReversedAndDitherTiledDown)
{
    TBitmap bitmap;
    // FromRight: the start colour sits at the right edge.
    CreateGradientBitmap(64, 40, clWhite, clBlack, 64, TGradientDirection::FromRight, false, bitmap);
    EXPECT_EQ(Hex(PixelAt(bitmap, 0, 0)), "#000000");
    EXPECT_EQ(Hex(PixelAt(bitmap, 63, 39)), "#FFFFFF");

    // Dithered: rows 16.. repeat the first 16 rows exactly.
    CreateGradientBitmap(200, 40, clWhite, clBlack, 16, TGradientDirection::FromLeft, true, bitmap);
    for (int y = 16; y < 40; ++y)
        for (int x = 0; x < 200; x += 3)
            ASSERT_EQ(PixelAt(bitmap, x, y), PixelAt(bitmap, x, y % 16)) << x << "," << y;
}

// Without dither, every pixel is the colour of the last band that reaches
// it, in either direction and at sizes on both sides of the 16-pixel tile;
// with it, the dithered tile repeats exactly.
TEST(CreateGradientBitmap, EveryPixelIsItsBandsColourAtEverySize)
{
    for (const auto direction : {TGradientDirection::FromTop, TGradientDirection::FromLeft})
        for (const auto [width, height, bands] :
             {std::array{5, 3, 64}, {17, 33, 7}, {90, 21, 64}, {33, 40, 2}}) {
            TBitmap bitmap;
            CreateGradientBitmap(width, height, kStart, kEnd, uint8_t(bands), direction, false, bitmap);
            const bool across = direction == TGradientDirection::FromLeft;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    int last = 0;
                    for (int i = 0; i < bands; ++i)
                        if (BandStart(i, across ? width : height, bands) <= (across ? x : y))
                            last = i;
                    ASSERT_EQ(Hex(PixelAt(bitmap, x, y)), Hex(Entry(kStart, kEnd, bands, last)))
                        << width << "x" << height << " at " << x << "," << y;
                }
            // Dithered, the first 16 pixels across the bands repeat along them.
            CreateGradientBitmap(width, height, kStart, kEnd, uint8_t(bands), direction, true, bitmap);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(PixelAt(bitmap, x, y),
                              across ? PixelAt(bitmap, x, y % 16) : PixelAt(bitmap, x % 16, y))
                        << width << "x" << height << " at " << x << "," << y;
        }
}

TEST(CreateGradientBitmap, ZeroBandsLeaveTheStartColourAndZeroSizeIsEmpty)
{
    TBitmap bitmap;
    CreateGradientBitmap(5, 5, RGBColor(1, 2, 3), clWhite, 0, TGradientDirection::FromTop, true, bitmap);
    EXPECT_EQ(Hex(PixelAt(bitmap, 4, 4)), "#010203");
    CreateGradientBitmap(0, 5, RGBColor(1, 2, 3), clWhite, 64, TGradientDirection::FromTop, true, bitmap);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(DrawBoundLines, CornersComeFromTheLinesThatReachThem)
{
    TBitmap bitmap(10, 8);
    bitmap.Canvas().Brush().SetColor(clWhite);
    bitmap.Canvas().FillRect({0, 0, 10, 8});
    DrawBoundLines(bitmap.Canvas(), TBoundLine::All, clBlack, {0, 0, 10, 8});
    EXPECT_EQ(Hex(PixelAt(bitmap, 0, 0)), "#000000");
    EXPECT_EQ(Hex(PixelAt(bitmap, 0, 7)), "#000000"); // from the bottom line
    EXPECT_EQ(Hex(PixelAt(bitmap, 9, 7)), "#000000"); // the bottom line runs to the right edge
    EXPECT_EQ(Hex(PixelAt(bitmap, 9, 0)), "#000000"); // the top line likewise
    EXPECT_EQ(Hex(PixelAt(bitmap, 9, 3)), "#000000");
    EXPECT_EQ(Hex(PixelAt(bitmap, 4, 4)), "#FFFFFF");

    bitmap.Canvas().FillRect({0, 0, 10, 8});
    DrawBoundLines(bitmap.Canvas(), TBoundLine::Top, clBlack, {0, 0, 10, 8});
    EXPECT_EQ(Hex(PixelAt(bitmap, 9, 0)), "#000000");
    EXPECT_EQ(Hex(PixelAt(bitmap, 0, 1)), "#FFFFFF");
}

TEST(MakeGrayGlyph, LightensEveryPixelTowardsWhite)
{
    TBitmap bitmap(3, 1);
    bitmap.Canvas().SetPixel(0, 0, clBlack);
    bitmap.Canvas().SetPixel(1, 0, RGBColor(155, 155, 155));
    bitmap.Canvas().SetPixel(2, 0, RGBColor(30, 60, 90));
    MakeGrayGlyph(bitmap);
    EXPECT_EQ(Hex(PixelAt(bitmap, 0, 0)), "#646464");
    EXPECT_EQ(Hex(PixelAt(bitmap, 1, 0)), "#FFFFFF");
    EXPECT_EQ(Hex(PixelAt(bitmap, 2, 0)), "#A0A0A0");
}

TEST(RecolorGlyph, TurnsToolStrokesGreyAndKeepsTheSilverBackground)
{
    TBitmap glyph;
    glyph.LoadFromResourceName(Application->Instance(), "Close");
    ASSERT_EQ(glyph.Width(), 10);
    ASSERT_EQ(glyph.Height(), 9);
    RecolorGlyph(glyph, RGBColor(128, 128, 128));
    EXPECT_EQ(Hex(PixelAt(glyph, 1, 1)), "#808080");
    EXPECT_EQ(Hex(PixelAt(glyph, 0, 0)), "#C0C0C0");
    RecolorGlyph(glyph, clBlack);
    EXPECT_EQ(Hex(PixelAt(glyph, 1, 1)), "#808080");
}

TEST(DrawCaptionText, EmptyTextMeasuresOneLine)
{
    TestForm form;
    TBitmap bitmap(50, 50);
    TFont font;
    font.SetHeight(-11);
    RECT rect{0, 0, 40, 0};
    DrawCaptionText(form, bitmap.Canvas(), "", font, true, true, rect, DT_CALCRECT);
    TEXTMETRICA metrics;
    GetTextMetricsA(bitmap.Canvas().Handle(), &metrics);
    EXPECT_EQ(rect.bottom, metrics.tmHeight);
    EXPECT_GT(rect.right, 0);
}

TEST(DrawCaptionText, DisabledTextIsEmbossed)
{
    TestForm form;
    TBitmap bitmap(60, 20);
    bitmap.Canvas().Brush().SetColor(RGBColor(1, 2, 3));
    bitmap.Canvas().FillRect({0, 0, 60, 20});
    bitmap.Canvas().Brush().SetStyle(TBrushStyle::Clear);
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetHeight(-11);
    RECT rect{0, 0, 60, 20};
    DrawCaptionText(form, bitmap.Canvas(), "IIII", font, false, true, rect, DT_SINGLELINE);
    bool highlight = false, shadow = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            const COLORREF pixel = PixelAt(bitmap, x, y);
            highlight |= pixel == ColorToRGB(clBtnHighlight);
            shadow |= pixel == ColorToRGB(clBtnShadow);
        }
    EXPECT_TRUE(highlight);
    EXPECT_TRUE(shadow);
}

TEST(DrawBevelFrame, RaisedAndSunken)
{
    TBitmap bitmap(5, 5);
    bitmap.Canvas().Brush().SetColor(clSilver);
    bitmap.Canvas().FillRect({0, 0, 5, 5});
    DrawBevelFrame(bitmap.Canvas(), {0, 0, 5, 5}, clWhite, clBlack, false);
    EXPECT_EQ(Hex(PixelAt(bitmap, 0, 0)), "#FFFFFF");
    EXPECT_EQ(Hex(PixelAt(bitmap, 0, 3)), "#FFFFFF");
    EXPECT_EQ(Hex(PixelAt(bitmap, 4, 4)), "#000000");
    EXPECT_EQ(Hex(PixelAt(bitmap, 4, 1)), "#000000");
    EXPECT_EQ(Hex(PixelAt(bitmap, 2, 2)), "#C0C0C0");
    DrawBevelFrame(bitmap.Canvas(), {0, 0, 5, 5}, clWhite, clBlack, true);
    EXPECT_EQ(Hex(PixelAt(bitmap, 0, 0)), "#000000");
    EXPECT_EQ(Hex(PixelAt(bitmap, 4, 4)), "#FFFFFF");
}
