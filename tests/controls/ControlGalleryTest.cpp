// Renders every styled control in every look into one picture, so people can
// judge the library at a glance. The picture is written to the file named by
// TESSIVO_GALLERY (default: controls-gallery.bmp in the working folder);
// docs/controls.png is made from it.

#include "controls/FlatButton.h"
#include "controls/FlatPanel.h"
#include "controls/HeaderToolButton.h"
#include "support/Render.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void Label(TBitmap& picture, int x, int y, const std::string& text)
{
    TCanvas& canvas = picture.Canvas();
    canvas.Font().SetName("MS Sans Serif");
    canvas.Font().SetHeight(-11);
    canvas.Font().SetColor(clBlack);
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    canvas.TextOut(x, y, text);
}

void Place(TBitmap& picture, TWinControl& control, int x, int y)
{
    control.PaintTo(picture.Canvas().Handle(), x, y);
}

} // namespace

TEST(ControlGallery, EveryControlInEveryLook)
{
    TestForm form(700, 420, true, {0, 0});
    form.SetColor(RGBColor(0xF7, 0xFB, 0xFF));
    TBitmap picture(700, 420);
    picture.Canvas().Brush().SetColor(RGBColor(0xF7, 0xFB, 0xFF));
    picture.Canvas().FillRect({0, 0, 700, 420});

    // Push buttons: one row per look.
    struct Look {
        const char* name;
        TVisualState state;
        bool isDefault;
        bool enabled;
    };
    const Look looks[] = {
        {"normal", 0, false, true},
        {"hot", TVisualStateFlag::Hot, false, true},
        {"focused", TVisualStateFlag::Focused, false, true},
        {"default", 0, true, true},
        {"pressed", TVisualStateFlag::Hot | TVisualStateFlag::Pressed, false, true},
        {"pressed, dragged off", TVisualStateFlag::Pressed, false, true},
        {"disabled", 0, false, false},
    };
    Label(picture, 10, 6, "TFlatButton");
    int y = 26;
    for (const Look& look : looks) {
        auto* button = new TFlatButton(&form);
        button->SetParent(&form);
        button->SetBounds(0, 0, 73, 21);
        button->SetCaption("Apply");
        auto* tall = new TFlatButton(&form);
        tall->SetParent(&form);
        tall->SetBounds(0, 0, 92, 30);
        tall->SetCaption("&Load List");
        for (TFlatButton* each : {button, tall}) {
            each->SetDefault(look.isDefault);
            each->SetEnabled(look.enabled);
            each->VisualState = look.state;
            each->ActiveControlIsStyled = false;
        }
        Label(picture, 10, y + 4, look.name);
        Place(picture, *button, 140, y);
        Place(picture, *tall, 230, y - 4);
        y += 38;
    }

    // Tool buttons: every glyph, both themes, normal / hot / pressed / disabled.
    Label(picture, 350, 6, "THeaderToolButton: WindowsXP and OfficeXP");
    const TToolType types[] = {TToolType::ArrowLeft, TToolType::ArrowRight, TToolType::Close,
                               TToolType::Maximize,  TToolType::Minimize,   TToolType::Popup,
                               TToolType::Restore};
    const TVisualState toolStates[] = {0, TVisualStateFlag::Hot,
                                       TVisualStateFlag::Hot | TVisualStateFlag::Pressed,
                                       TVisualStateFlag::Pressed};
    int row = 0;
    for (TTheme theme : {TTheme::WindowsXP, TTheme::OfficeXP}) {
        for (int s = 0; s < 5; ++s) {
            int x = 350;
            for (TToolType type : types) {
                auto* tool = new THeaderToolButton(&form);
                tool->SetParent(&form);
                tool->SetToolType(type);
                tool->Style().SetTheme(theme);
                if (s < 4)
                    tool->VisualState = toolStates[s];
                else
                    tool->SetEnabled(false);
                Place(picture, *tool, x, 26 + row * 20);
                x += 20;
            }
            ++row;
        }
        row += 1;
    }

    // Flat panels: a framed one with a captioned header, and a striped header.
    auto* panel = new TFlatPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 150, 80);
    panel->SetBorderWidth(1);
    panel->SetBoundColor(clBlack);
    panel->SetBoundLines(TBoundLine::All);
    panel->SetColor(RGBColor(0xF7, 0xFB, 0xFF));
    auto* header = new TFlatPanel(&form);
    header->SetParent(panel);
    header->SetHeight(15);
    header->SetAlign(TAlign::Top);
    header->SetColor(RGBColor(0xED, 0xE9, 0xE3));
    header->SetCaption("     Actions");
    header->SetShowCaption(true);
    header->SetAlignment(TAlignment::LeftJustify);
    header->SetSpacing(24);
    Label(picture, 350, 26 + row * 20, "TFlatPanel");
    Place(picture, *panel, 350, 46 + row * 20);

    auto* striped = new TFlatPanel(&form);
    striped->SetParent(&form);
    striped->SetBounds(0, 0, 180, 15);
    striped->OnPaint = [](TObject*, RECT rect, TCanvas& canvas, TFont&) {
        for (int i = rect.top; i <= rect.bottom; ++i) {
            canvas.Pen().SetColor(RGBColor(0x80, 0x80, 0x80));
            canvas.Rectangle(rect.left + 1, rect.top + 2 * i, rect.right - 1, rect.top + 2 * i + 1);
        }
        canvas.Brush().SetColor(clBtnFace);
        canvas.DrawText(" Tessivo ", rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    };
    Place(picture, *striped, 510, 46 + row * 20);

    const char* path = std::getenv("TESSIVO_GALLERY");
    picture.SaveToFile(path && *path ? path : "controls-gallery.bmp");

    // The picture holds what was placed: a button border and a tool glyph.
    EXPECT_EQ(Hex(PixelAt(picture, 176, 26)), "#003873");
    bool toolInk = false;
    for (int x = 350; x < 365; ++x)
        toolInk |= PixelAt(picture, x, 26 + 7) == RGB(0, 0, 0);
    EXPECT_TRUE(toolInk);
}
