#include "controls/HeaderToolButton.h"

#include "controls/FlatDrawing.h"
#include "framework/Application.h"

#include <oleacc.h>

#include <algorithm>

namespace {

const TColor kToolFrameOffice = RGBColor(0x00, 0x33, 0x66);
const TColor kToolHotOffice = RGBColor(0xB5, 0xBE, 0xD6);
const TColor kToolPressedOffice = RGBColor(0x99, 0x99, 0xCC);
const TColor kDisabledGlyph = RGBColor(0x80, 0x80, 0x80);

} // namespace

std::string ToolGlyphResourceName(TToolType type, int dpi)
{
    static const char* const names[] = {"ArrowLeft", "ArrowRight", "Close",  "Maximize",
                                        "Minimize",  "Popup",      "Restore"};
    // Each glyph is drawn for 100, 125, 150, 175 and 200 %; the largest one
    // not above the DPI's scale is taken, never a stretched copy.
    const int percent = std::clamp(dpi * 100 / 96 / 25 * 25, 100, 200);
    std::string name = names[static_cast<int>(type)];
    return percent == 100 ? name : name + std::to_string(percent);
}

THeaderToolButton::THeaderToolButton(TComponent* owner) : TThemedControl(owner)
{
    SetControlStyle(ControlStyle() & ~TControlStyleFlag::DoubleClicks);
    SetColor(clBlack);
    DoResized();
}

void THeaderToolButton::SetToolType(TToolType type)
{
    if (toolType_ != type) {
        toolType_ = type;
        InvalidateUnlessLocked();
    }
}

void THeaderToolButton::DoResized()
{
    // Any other size snaps back: 15 pixels at 96 DPI, scaled at others.
    const int size = Scaled(15);
    if (Width() != size || Height() != size)
        SetBounds(Left(), Top(), size, size);
}

void THeaderToolButton::Paint()
{
    TCanvas& canvas = Canvas();
    RECT rect = ClientRect();
    const int width = rect.right, height = rect.bottom;
    const TTheme theme = Style().EffectiveTheme();
    const bool hot = VisualState & TVisualStateFlag::Hot, pressed = VisualState & TVisualStateFlag::Pressed;

    const TColorScheme& scheme = Application->ColorScheme();
    const TColor fill = scheme.Fill(Parent() ? Parent()->Color() : Color());
    canvas.Brush().SetColor(fill);
    canvas.FillRect(rect);
    canvas.Brush().SetStyle(TBrushStyle::Clear);

    if (scheme.Contrast()) {
        PaintContrast(canvas, fill);
        return;
    }
    if (theme == TTheme::WindowsXP) {
        if (pressed && !hot)
            DrawBevelFrame(canvas, rect, clWhite, clBlack, false);
        if (hot)
            DrawBevelFrame(canvas, rect, clWhite, clBlack, pressed);
    } else if (hot) {
        canvas.Brush().SetColor(kToolFrameOffice);
        canvas.FillRect(rect);
        InflateRect(&rect, -Scaled(1), -Scaled(1));
        canvas.Brush().SetColor(pressed ? kToolPressedOffice : kToolHotOffice);
        canvas.FillRect(rect);
    }
    const int offset = (theme == TTheme::WindowsXP && pressed) ? 1 : 0;

    TBitmap glyph;
    glyph.LoadFromResourceName(Application->Instance(), ToolGlyphResourceName(toolType_, Dpi()).c_str());
    if (pressed && hot)
        RecolorGlyph(glyph, clWhite);
    else if (!Enabled())
        RecolorGlyph(glyph, kDisabledGlyph);
    else if (ColorToRGB(Color()) != 0)
        RecolorGlyph(glyph, Color());
    glyph.SetTransparent(true);
    glyph.SetTransparentColor(clSilver);
    canvas.Draw((width - glyph.Width()) / 2 + offset, (height - glyph.Height()) / 2 + offset, glyph);
}

long THeaderToolButton::AccessibleRole() const
{
    return ROLE_SYSTEM_PUSHBUTTON;
}

long THeaderToolButton::AccessibleState() const
{
    return (VisualState & TVisualStateFlag::Pressed) ? STATE_SYSTEM_PRESSED : 0;
}

std::string THeaderToolButton::AccessibleAction() const
{
    return "Press";
}

// In a contrast theme: a hot or pressed button is framed in the text colour
// and filled with the highlight; the glyph takes the text colour of its fill.
void THeaderToolButton::PaintContrast(TCanvas& canvas, TColor fill)
{
    const TColorScheme& scheme = Application->ColorScheme();
    const RECT rect = ClientRect();
    const bool marked = (VisualState & (TVisualStateFlag::Hot | TVisualStateFlag::Pressed)) != 0;
    if (marked) {
        canvas.Pen().SetColor(scheme.Line(clBlack, fill));
        canvas.Brush().SetColor(scheme.Focus(clHighlight));
        canvas.Rectangle(rect);
    }
    TBitmap glyph;
    glyph.LoadFromResourceName(Application->Instance(), ToolGlyphResourceName(toolType_, Dpi()).c_str());
    if (!Enabled())
        RecolorGlyph(glyph, clGrayText);
    else
        RecolorGlyph(glyph, scheme.Text(Color(), marked ? clHighlight : fill));
    glyph.SetTransparent(true);
    glyph.SetTransparentColor(clSilver);
    canvas.Draw((rect.right - glyph.Width()) / 2, (rect.bottom - glyph.Height()) / 2, glyph);
}
