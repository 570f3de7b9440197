// The header tool button: fixed size, glyph places and colours in both
// themes, read back from real rendering; and its glyph resources.

#include "controls/HeaderToolButton.h"
#include "support/Render.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ToolOnForm {
    TestForm form;
    THeaderToolButton* tool;
    explicit ToolOnForm(TToolType type)
    {
        form.SetColor(RGBColor(0xE3, 0xE9, 0xED));
        tool = new THeaderToolButton(&form);
        tool->SetParent(&form);
        tool->SetBounds(20, 20, 15, 15);
        tool->SetToolType(type);
        PumpMessages(0);
    }
};

// The black pixels of the rendering, as a set of rows of '#' and '.'.
std::vector<std::string> Strokes(TBitmap& bitmap, COLORREF stroke)
{
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.Width(); ++x)
            row += PixelAt(bitmap, x, y) == stroke ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(ToolGlyphs, ResourcesHoldTheStatedPixels)
{
    const std::vector<std::pair<const char*, std::vector<std::string>>> glyphs = {
        {"ArrowLeft",
         {"....##...", "...###...", "..#######", ".########", "#########", ".########", "..#######",
          "...###...", "....##..."}},
        {"Popup", {"#######", ".#####.", "..###..", "...#..."}},
        {"Restore",
         {"..........", ".########.", ".#..#...#.", ".#..#...#.", ".#..#####.", ".#......#.", ".#......#.",
          ".########.", ".........."}},
    };
    for (const auto& [name, rows] : glyphs) {
        TBitmap glyph;
        glyph.LoadFromResourceName(Application->Instance(), name);
        ASSERT_EQ(glyph.Height(), static_cast<int>(rows.size())) << name;
        ASSERT_EQ(glyph.Width(), static_cast<int>(rows[0].size())) << name;
        for (int y = 0; y < glyph.Height(); ++y)
            for (int x = 0; x < glyph.Width(); ++x)
                EXPECT_EQ(Hex(PixelAt(glyph, x, y)), rows[y][x] == '#' ? "#000000" : "#C0C0C0")
                    << name << " " << x << "," << y;
    }
    // Names are found whatever their case, as resource names are.
    TBitmap lower;
    lower.LoadFromResourceName(Application->Instance(), "maximize");
    EXPECT_EQ(lower.Width(), 10);
}

TEST(HeaderToolButton, AnyOtherSizeSnapsBackToFifteen)
{
    ToolOnForm setup(TToolType::Close);
    setup.tool->SetBounds(20, 20, 20, 20);
    EXPECT_EQ(setup.tool->Width(), 15);
    EXPECT_EQ(setup.tool->Height(), 15);
}

TEST(HeaderToolButton, CloseAndPopupGlyphsSitWhereStatedAndMoveWhenPressed)
{
    ToolOnForm close(TToolType::Close);
    auto shot = RenderControl(*close.tool);
    auto rows = Strokes(*shot, RGB(0, 0, 0));
    // The "Close" glyph's first stroke pixel (1, 1) lands at (2 + 1, 3 + 1).
    EXPECT_EQ(rows[4].substr(3, 2), "##");
    EXPECT_EQ(rows[4][2], '.');
    EXPECT_EQ(rows[3], "...............");

    ToolOnForm popup(TToolType::Popup);
    shot = RenderControl(*popup.tool);
    rows = Strokes(*shot, RGB(0, 0, 0));
    EXPECT_EQ(rows[5], "....#######....");
    EXPECT_EQ(rows[8], ".......#.......");

    // Pressed with the pointer off (WindowsXP): raised frame, glyph one
    // pixel right and down, still black.
    popup.tool->VisualState = TVisualStateFlag::Pressed;
    shot = RenderControl(*popup.tool);
    rows = Strokes(*shot, RGB(0, 0, 0));
    EXPECT_EQ(rows[6].substr(5, 7), "#######");
    EXPECT_EQ(Hex(PixelAt(*shot, 0, 0)), "#FFFFFF");
    EXPECT_EQ(Hex(PixelAt(*shot, 14, 14)), "#000000");

    // Pressed and hot: sunken frame and a white glyph.
    popup.tool->VisualState = TVisualStateFlag::Pressed | TVisualStateFlag::Hot;
    shot = RenderControl(*popup.tool);
    EXPECT_EQ(Strokes(*shot, RGB(255, 255, 255))[6].substr(5, 7), "#######");
    EXPECT_EQ(Hex(PixelAt(*shot, 0, 0)), "#000000");
}

TEST(HeaderToolButton, DisabledGlyphIsGreyAndColourRecolours)
{
    ToolOnForm setup(TToolType::Close);
    setup.tool->SetEnabled(false);
    auto shot = RenderControl(*setup.tool);
    EXPECT_EQ(Hex(PixelAt(*shot, 3, 4)), "#808080");
    setup.tool->SetEnabled(true);
    setup.tool->SetColor(RGBColor(200, 0, 0));
    shot = RenderControl(*setup.tool);
    EXPECT_EQ(Hex(PixelAt(*shot, 3, 4)), "#C80000");
    // The background is the parent's colour, not the button's own.
    EXPECT_EQ(Hex(PixelAt(*shot, 0, 0)), "#E3E9ED");
}

TEST(HeaderToolButton, OfficeThemeFramesAndFillsWhileHot)
{
    ToolOnForm setup(TToolType::Minimize);
    setup.tool->Style().SetTheme(TTheme::OfficeXP);
    setup.tool->VisualState = TVisualStateFlag::Hot;
    auto shot = RenderControl(*setup.tool);
    EXPECT_EQ(Hex(PixelAt(*shot, 0, 0)), "#003366");
    EXPECT_EQ(Hex(PixelAt(*shot, 14, 7)), "#003366");
    EXPECT_EQ(Hex(PixelAt(*shot, 1, 1)), "#B5BED6");
    setup.tool->VisualState = TVisualStateFlag::Hot | TVisualStateFlag::Pressed;
    shot = RenderControl(*setup.tool);
    EXPECT_EQ(Hex(PixelAt(*shot, 1, 1)), "#9999CC");
    // No pressed offset in this theme: the minimise bar stays on rows 9 and 10.
    auto rows = Strokes(*shot, RGB(255, 255, 255));
    EXPECT_EQ(rows[9].substr(3, 8), "########");
}

TEST(HeaderToolButton, ClickGivesItTheFocus)
{
    ToolOnForm setup(TToolType::Close);
    int clicks = 0;
    setup.tool->OnClick = [&](TObject*) { ++clicks; };
    SendMessageA(setup.tool->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 7));
    SendMessageA(setup.tool->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(7, 7));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(setup.tool->Focused());
    EXPECT_FALSE(setup.tool->TabStop());
}
