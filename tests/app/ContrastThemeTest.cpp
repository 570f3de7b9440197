// A contrast theme: every caption of the main window, the About box and the
// options box readable in the system's colours, and the switch made when the
// system tells of it, without a restart.
//
// Wine 8 has no contrast themes (SPI_GETHIGHCONTRAST never says one is on,
// SPI_SETHIGHCONTRAST fails), so the tests do what turning one on does to a
// program: the question "is a contrast theme on" answers yes, and the system
// colours change (SetSysColors, to Windows' "High Contrast Black" or "High
// Contrast White"), which tells every window by WM_SYSCOLORCHANGE.

#include "FormFixture.h"

#include "app/AboutForm.h"
#include "app/LayoutHelpers.h"
#include "app/OptionsForm.h"
#include "platform/ContrastTheme.h"
#include "support/Render.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Windows' "High Contrast Black" and "High Contrast White", as far as the
// controls use them.
struct SchemeColour {
    int index;
    COLORREF values[2]; // black, white
};

const SchemeColour kContrastColours[] = {
    {COLOR_WINDOW, {RGB(0, 0, 0), RGB(255, 255, 255)}},
    {COLOR_WINDOWTEXT, {RGB(255, 255, 255), RGB(0, 0, 0)}},
    {COLOR_BTNFACE, {RGB(0, 0, 0), RGB(255, 255, 255)}},
    {COLOR_BTNTEXT, {RGB(255, 255, 255), RGB(0, 0, 0)}},
    {COLOR_HIGHLIGHT, {RGB(0x1A, 0xEB, 0xFF), RGB(0x37, 0x00, 0x6E)}},
    {COLOR_HIGHLIGHTTEXT, {RGB(0, 0, 0), RGB(255, 255, 255)}},
    {COLOR_GRAYTEXT, {RGB(0x3F, 0xF2, 0x3F), RGB(0x60, 0x00, 0x00)}},
    {COLOR_BTNHIGHLIGHT, {RGB(255, 255, 255), RGB(0, 0, 0)}},
    {COLOR_BTNSHADOW, {RGB(128, 128, 128), RGB(128, 128, 128)}},
    {COLOR_3DDKSHADOW, {RGB(255, 255, 255), RGB(0, 0, 0)}},
    {COLOR_3DLIGHT, {RGB(255, 255, 255), RGB(0, 0, 0)}},
    {COLOR_WINDOWFRAME, {RGB(255, 255, 255), RGB(0, 0, 0)}},
    {COLOR_INFOBK, {RGB(0, 0, 0), RGB(255, 255, 255)}},
    {COLOR_INFOTEXT, {RGB(255, 255, 255), RGB(0, 0, 0)}},
};
const int kBlack = 0, kWhite = 1;
const char* const kSchemeNames[] = {"High Contrast Black", "High Contrast White"};

// Puts a contrast scheme's colours in place and makes the contrast question
// answer yes; everything is put back as it was when it goes.
class ContrastScheme {
public:
    explicit ContrastScheme(int scheme)
    {
        for (const SchemeColour& colour : kContrastColours) {
            indexes_.push_back(colour.index);
            saved_.push_back(GetSysColor(colour.index));
            values_.push_back(colour.values[scheme]);
        }
        // The system tells every window of the new colours (Wine too).
        Application->ColorScheme().SetContrastQuery([] { return true; });
        SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), values_.data());
    }
    ~ContrastScheme()
    {
        Application->ColorScheme().SetContrastQuery(ContrastThemeOn);
        SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), saved_.data());
    }
    ContrastScheme(const ContrastScheme&) = delete;
    ContrastScheme& operator=(const ContrastScheme&) = delete;

private:
    std::vector<int> indexes_;
    std::vector<COLORREF> saved_;
    std::vector<COLORREF> values_;
};

// WCAG's relative luminance and contrast ratio.
double Luminance(COLORREF colour)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(colour)) + 0.7152 * channel(GetGValue(colour)) +
           0.0722 * channel(GetBValue(colour));
}

double ContrastRatio(COLORREF a, COLORREF b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The commonest colour of an area is its fill; the commonest of the others
// is the ink written on it.
struct InkOnFill {
    COLORREF Fill = 0;
    COLORREF Ink = 0;
    int InkPixels = 0;
};

InkOnFill Measure(TBitmap& shot, RECT area)
{
    std::map<COLORREF, int> counts;
    for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, shot.Height()); ++y)
        for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, shot.Width()); ++x)
            ++counts[PixelAt(shot, x, y)];
    InkOnFill result;
    int fillPixels = 0;
    for (const auto& [colour, count] : counts)
        if (count > fillPixels) {
            fillPixels = count;
            result.Fill = colour;
        }
    for (const auto& [colour, count] : counts)
        if (colour != result.Fill && count > result.InkPixels) {
            result.InkPixels = count;
            result.Ink = colour;
        }
    return result;
}

void ExpectReadable(TBitmap& shot, RECT area, const std::string& what)
{
    const InkOnFill seen = Measure(shot, area);
    EXPECT_GE(seen.InkPixels, 4) << what << ": nothing written on " << Hex(seen.Fill);
    EXPECT_GE(ContrastRatio(seen.Ink, seen.Fill), 4.5)
        << what << ": " << Hex(seen.Ink) << " on " << Hex(seen.Fill);
}

// What a shown window shows in its client area, children and the system's
// controls included, once every waiting paint is done.
std::unique_ptr<TBitmap> ShownPixels(TForm& window)
{
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages(20);
    auto shot = std::make_unique<TBitmap>(window.ClientWidth(), window.ClientHeight());
    HDC screen = GetDC(window.Handle());
    BitBlt(shot->Canvas().Handle(), 0, 0, shot->Width(), shot->Height(), screen, 0, 0, SRCCOPY);
    ReleaseDC(window.Handle(), screen);
    return shot;
}

bool HasCaption(TControl& control)
{
    if (control.Caption().empty())
        return false;
    if (auto* panel = dynamic_cast<TFlatPanel*>(&control))
        return panel->ShowCaption();
    return dynamic_cast<TLabel*>(&control) || dynamic_cast<TFlatButton*>(&control) ||
           dynamic_cast<TCheckBox*>(&control);
}

// Every visible control with a caption or a glyph of its own, and the
// system's edit and combo box, inside `parent` (drawn at `origin` of `shot`).
void ExpectCaptionsReadable(TBitmap& shot, TWinControl& parent, POINT origin)
{
    for (TControl* control : parent.Controls()) {
        if (!control->Visible())
            continue;
        RECT area = control->BoundsRect();
        OffsetRect(&area, origin.x, origin.y);
        const std::string what = control->Name.empty() ? control->Caption() : control->Name;
        // The caption, right of the box; the text, left of the arrows and
        // inside the edit's frame (the system draws those itself).
        if (dynamic_cast<TCheckBox*>(control))
            area.left += 16;
        if (dynamic_cast<TComboBox*>(control) || dynamic_cast<TSpinEdit*>(control)) {
            InflateRect(&area, -2, -2);
            area.right -= GetSystemMetrics(SM_CXVSCROLL);
        }
        if (HasCaption(*control) || dynamic_cast<THeaderToolButton*>(control) ||
            dynamic_cast<TComboBox*>(control) || dynamic_cast<TSpinEdit*>(control))
            ExpectReadable(shot, area, what);
        if (auto* windowed = dynamic_cast<TWinControl*>(control))
            ExpectCaptionsReadable(shot, *windowed, {area.left, area.top});
    }
}

} // namespace

class ContrastTheme : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        // Two entries: one selected, one not, each with its own colours.
        Add({MakeBitmap("first.bmp", 4, 4), MakeBitmap("second.bmp", 4, 4)});
    }
    // The main window told of a change, as the system tells every window.
    void TellWindows(UINT message, WPARAM wParam) { SendMessageW(form->Handle(), message, wParam, 0); }
    // Paints what waits to be painted, so that a new wait can be seen.
    void PaintWaiting()
    {
        PumpMessages(20);
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
};

TEST_F(ContrastTheme, EveryCaptionOfTheMainWindowIsReadable)
{
    form->RestoreFromTray();
    for (int scheme : {kBlack, kWhite}) {
        SCOPED_TRACE(kSchemeNames[scheme]);
        const ContrastScheme contrast(scheme);
        auto shot = ShownPixels(*form);
        ExpectCaptionsReadable(*shot, *form, {0, 0});

        // The title in the middle of the striped header.
        const TMainForm::TestView f = form->Test();
        const int middle = f.header->Width() / 2;
        ExpectReadable(*shot, {middle - 16, 2, middle + 16, 13}, "title");
        // Both rows of the name list: the selected one and the other.
        TListBox& names = *f.nameList;
        for (int row = 0; row < 2; ++row) {
            RECT item{};
            SendMessageW(names.Handle(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
            MapWindowPoints(names.Handle(), form->Handle(), reinterpret_cast<POINT*>(&item), 2);
            ExpectReadable(*shot, item, "name list row " + std::to_string(row));
        }
    }
}

TEST_F(ContrastTheme, EveryCaptionOfTheAboutAndOptionsBoxesIsReadable)
{
    TAboutForm about(nullptr, form.get());
    TOptionsForm options(nullptr);
    options.ShowOptions(TOptionValues{});
    for (int scheme : {kBlack, kWhite}) {
        SCOPED_TRACE(kSchemeNames[scheme]);
        const ContrastScheme contrast(scheme);
        for (TForm* box : {static_cast<TForm*>(&about), static_cast<TForm*>(&options)}) {
            SCOPED_TRACE(box->Name);
            box->Show();
            auto shot = ShownPixels(*box);
            box->Hide();
            ExpectCaptionsReadable(*shot, *box, {0, 0});
            // The default button's ring is drawn in the focus colour.
            const RECT button = (box == &about ? about.closeButton : options.okButton)->BoundsRect();
            EXPECT_EQ(Hex(PixelAt(*shot, button.left + 1, (button.top + button.bottom) / 2)),
                      Hex(GetSysColor(COLOR_HIGHLIGHT)));
        }
    }
}

TEST_F(ContrastTheme, TheWindowsSwitchWhenTheSystemTellsThemWithoutARestart)
{
    form->RestoreFromTray();
    PaintWaiting();
    TFlatPanel& panel = *form->Test().actionsPanel;
    const auto panelFill = [&] { return Hex(PixelAt(*RenderControl(panel), 100, 100)); };
    const auto waitingPaint = [&] { return GetUpdateRect(panel.Handle(), nullptr, FALSE) != FALSE; };
    ASSERT_EQ(panelFill(), Hex(ColorToRGB(kPanelWhite)));
    ASSERT_FALSE(waitingPaint());

    // The system's own notice of the new colours switches the scheme.
    const ContrastScheme contrast(kBlack);
    EXPECT_TRUE(Application->ColorScheme().Contrast());
    EXPECT_EQ(panelFill(), "#000000");

    // Each notice asks again and has every window paint anew; nothing
    // changes before it comes.
    struct Notice {
        UINT message;
        WPARAM wParam;
        bool contrast;
        const char* fill;
    };
    const std::string own = Hex(ColorToRGB(kPanelWhite));
    for (const Notice& notice : {Notice{WM_SYSCOLORCHANGE, 0, false, own.c_str()},
                                 Notice{WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, true, "#000000"}}) {
        Application->ColorScheme().SetContrastQuery([on = notice.contrast] { return on; });
        PaintWaiting();
        EXPECT_NE(Application->ColorScheme().Contrast(), notice.contrast);
        ASSERT_FALSE(waitingPaint());
        TellWindows(notice.message, notice.wParam);
        EXPECT_EQ(Application->ColorScheme().Contrast(), notice.contrast);
        EXPECT_TRUE(waitingPaint());
        EXPECT_EQ(panelFill(), notice.fill);
    }
}
