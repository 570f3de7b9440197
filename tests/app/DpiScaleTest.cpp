// The windows at 120, 144, 168 and 192 DPI: the same layout scaled at one
// place, fonts made at that DPI, every text whole, sharp glyphs, and a move
// to a monitor of another DPI (WM_DPICHANGED).

#include "FormFixture.h"
#include "app/AboutForm.h"
#include "app/OptionsForm.h"
#include "platform/Dpi.h"
#include "support/Render.h"

#include <functional>

namespace {

const int kScales[] = {120, 144, 168, 192};

// The width of `text` in `font`, as the label or button draws it.
int TextWidth(const TFont& font, const std::string& text)
{
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(font);
    return scratch.Canvas().TextWidth(text);
}

RECT Scaled(RECT box, int dpi)
{
    return {ScaleToDpi(box.left, dpi), ScaleToDpi(box.top, dpi),
            ScaleToDpi(box.left, dpi) + ScaleToDpi(box.right, dpi),
            ScaleToDpi(box.top, dpi) + ScaleToDpi(box.bottom, dpi)};
}

// Every control of `parent` (and below) whose text does not fit its width:
// a check box's text beside its box, a button's inside its border, and
// every auto-sized caption left of the control that follows it on its row.
std::vector<std::string> ClippedTexts(TWinControl& parent)
{
    std::vector<std::string> clipped;
    const int dpi = parent.Dpi();
    for (TControl* control : parent.Controls()) {
        if (auto* check = dynamic_cast<TCheckBox*>(control)) {
            if (TextWidth(check->Font(), check->Caption()) + SystemMetricForDpi(SM_CXMENUCHECK, dpi) +
                    ScaleToDpi(4, dpi) >
                check->Width())
                clipped.push_back(check->Caption());
        } else if (auto* button = dynamic_cast<TFlatButton*>(control)) {
            if (TextWidth(button->Font(), button->Caption()) + ScaleToDpi(4, dpi) > button->Width())
                clipped.push_back(button->Caption());
        } else if (auto* label = dynamic_cast<TLabel*>(control); label && !label->Caption().empty()) {
            const int right = label->Left() + TextWidth(label->Font(), label->Caption());
            if (right > parent.Width() ||
                (!label->AutoSize() && !label->WordWrap() && right > label->Left() + label->Width()))
                clipped.push_back(label->Caption() + " (" + std::to_string(right - label->Left()) + " > " +
                                  std::to_string(label->Width()) + ")");
            // A caption ends before any control that starts right of it on
            // its row (separator lines do not count).
            for (TControl* other : parent.Controls()) {
                const bool sameRow = other->Top() < label->Top() + label->Height() &&
                                     label->Top() < other->Top() + other->Height() &&
                                     !dynamic_cast<TShape*>(other);
                if (other != label && sameRow && other->Left() > label->Left() && right > other->Left())
                    clipped.push_back(label->Caption() + " runs into " + other->Name);
            }
        }
        if (auto* windowed = dynamic_cast<TWinControl*>(control))
            for (const std::string& text : ClippedTexts(*windowed))
                clipped.push_back(text);
    }
    return clipped;
}

} // namespace

class DpiScale : public FormFixture {};

TEST_F(DpiScale, TheMainWindowAtEveryScaleIsItsLayoutScaledWithEveryTextWhole)
{
    const TMainForm::TestView f = form->Test();
    // Every control placed by the layout, as made at 96 DPI (left, top,
    // width, height); aligned ones follow their parents, and a combo box's
    // height and an auto-sized label's size are the platform's and the text's.
    std::vector<std::pair<TControl*, RECT>> design;
    const std::function<void(TWinControl&)> collect = [&](TWinControl& parent) {
        for (TControl* control : parent.Controls()) {
            auto* label = dynamic_cast<TLabel*>(control);
            if (control->Align() == TAlign::None && !(label && label->AutoSize()) &&
                !dynamic_cast<TComboBox*>(control))
                design.push_back(
                    {control, {control->Left(), control->Top(), control->Width(), control->Height()}});
            if (auto* windowed = dynamic_cast<TWinControl*>(control))
                collect(*windowed);
        }
    };
    collect(*form);
    ASSERT_GE(design.size(), 30u);
    for (int dpi : kScales) {
        SCOPED_TRACE(dpi);
        form->SetDpi(dpi);
        EXPECT_EQ(form->ClientWidth(), ScaleToDpi(560, dpi));
        EXPECT_EQ(form->ClientHeight(), ScaleToDpi(308, dpi));
        for (const auto& [control, box] : design) {
            SCOPED_TRACE(control->Name);
            const RECT expected = Scaled(box, dpi);
            const RECT bounds = control->BoundsRect();
            EXPECT_EQ(bounds.left, expected.left);
            EXPECT_EQ(bounds.top, expected.top);
            EXPECT_EQ(bounds.bottom, expected.bottom);
            // A label may widen to its text (fonts do not grow exactly in
            // step with the layout), never narrow.
            if (dynamic_cast<TLabel*>(control))
                EXPECT_GE(bounds.right, expected.right);
            else
                EXPECT_EQ(bounds.right, expected.right);
        }
        EXPECT_EQ(f.nameLabel->Font().Height(), ScaleToDpi(-11, dpi));
        EXPECT_EQ(f.nameList->Perform(LB_GETITEMHEIGHT), ScaleToDpi(13, dpi));
        EXPECT_EQ(ClippedTexts(*form), std::vector<std::string>{});
    }
    // Back at 96 DPI every size is the one it was made with.
    form->SetDpi(96);
    EXPECT_EQ(form->ClientWidth(), 560);
    for (const auto& [control, box] : design)
        EXPECT_EQ(control->BoundsRect().right, box.left + box.right) << control->Name;
    EXPECT_EQ(f.addButton->Font().Height(), -16);
    EXPECT_EQ(f.nameList->Perform(LB_GETITEMHEIGHT), 13);
}

TEST_F(DpiScale, TheAboutAndOptionsBoxesAtEveryScaleKeepEveryTextWhole)
{
    TAboutForm about(nullptr, form.get(), nullptr);
    TOptionsForm options(nullptr, nullptr);
    // Their windows first: a window made later takes its own DPI.
    about.Handle();
    options.Handle();
    for (int dpi : kScales) {
        SCOPED_TRACE(dpi);
        about.SetDpi(dpi);
        options.SetDpi(dpi);
        EXPECT_EQ(about.ClientWidth(), ScaleToDpi(219, dpi));
        EXPECT_EQ(options.ClientWidth(), ScaleToDpi(280, dpi));
        EXPECT_EQ(ClippedTexts(about), std::vector<std::string>{});
        EXPECT_EQ(ClippedTexts(options), std::vector<std::string>{});
    }
}

TEST_F(DpiScale, GlyphsStripesAndBordersAreDrawnAtTheScaleNotStretched)
{
    TMainForm::TestView f = form->Test();
    // The glyph's pixels: those unlike the button's background in its corner.
    auto glyphPixels = [](TBitmap& shot) {
        int ink = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                ink += PixelAt(shot, x, y) != PixelAt(shot, 0, 0);
        return ink;
    };
    const int atDesign = glyphPixels(*RenderControl(*f.closeButton));
    form->SetDpi(144);
    EXPECT_EQ(ToolGlyphResourceName(TToolType::Close, 144), "Close150");
    auto close = RenderControl(*f.closeButton);
    ASSERT_EQ(close->Width(), 23);
    // The cross drawn for 150 %: about 1.5 x 1.5 times the ink.
    EXPECT_GT(glyphPixels(*close), atDesign * 2);
    EXPECT_LT(glyphPixels(*close), atDesign * 3);

    // The drawn glyphs are drawn at 48 x 48.
    EXPECT_EQ(f.newListButton->Glyph().Width(), 48);

    // Stripes: design rows 0, 2, ... 14, each at its scaled row, as thick as
    // a scaled pixel (2 rows at 144 DPI), over the header's 23 rows.
    auto header = RenderControl(*f.header);
    const COLORREF grey = RGB(0x80, 0x80, 0x80);
    for (int y = 0; y < 23; ++y) {
        const bool stripe = (y % 3) != 2; // rows 0-1, 3-4, ... 21-22
        EXPECT_EQ(PixelAt(*header, 100, y) == grey, stripe) << "row " << y;
    }
    // The panels' frames are two pixels wide.
    auto panel = RenderControl(*f.totalPanel);
    EXPECT_EQ(Hex(PixelAt(*panel, 1, 10)), "#000000");
    EXPECT_NE(Hex(PixelAt(*panel, 2, 10)), "#000000");
}

TEST_F(DpiScale, AMoveToAMonitorOfAnotherDpiLaysOutAgainAndRedrawsPreviewAndTrayIcon)
{
    Add({MakeBitmap("wide.bmp", 800, 600)});
    const TMainForm::TestView f = form->Test();
    ASSERT_NE(form->PreviewBitmap(), nullptr);
    const int previewWidth = form->PreviewBitmap()->Width();
    ASSERT_LE(previewWidth, f.previewImage->Width());

    RECT suggested{40, 30, 40 + 840, 30 + 462};
    form->Perform(WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form->Dpi(), 144);
    EXPECT_EQ(form->Left(), 40);
    EXPECT_EQ(form->Width(), 840);
    EXPECT_EQ(form->Height(), 462);
    // The preview is drawn again for its larger box, not stretched.
    EXPECT_GT(form->PreviewBitmap()->Width(), previewWidth);
    EXPECT_LE(form->PreviewBitmap()->Width(), f.previewImage->Width());
    // The icon in the notification area is the 24-pixel image.
    ASSERT_FALSE(notifyIcon.Requests.empty());
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(notifyIcon.Requests.back().Data.hIcon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, SmallIconSize(144));
    EXPECT_EQ(colour.bmWidth, 24);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}
