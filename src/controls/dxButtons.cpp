#include "controls/dxButtons.h"

#include "controls/dxCoreUtils.h"
#include "framework/Application.h"
#include "framework/Form.h"

#include <oleacc.h>

#include <algorithm>
#include <string>

namespace {

const TColor kBorderEnabled = RGBColor(0x00, 0x38, 0x73);
const TColor kBorderDisabled = RGBColor(0xCE, 0xC7, 0xBD);
const TColor kCornerEnabled = RGBColor(0x7B, 0x9E, 0xAD);
const TColor kFaceTop = RGBColor(0xFF, 0xFF, 0xFF);
const TColor kFaceBottom = RGBColor(0xEF, 0xEB, 0xE7);
const TColor kPressedTop = RGBColor(0xD6, 0xCF, 0xC6);
const TColor kPressedBottom = RGBColor(0xF7, 0xF3, 0xEB);
const TColor kFocusTop = RGBColor(0xCE, 0xE7, 0xFF);
const TColor kFocusBottom = RGBColor(0x6D, 0x84, 0xEF);
const TColor kHotTop = RGBColor(0xFF, 0xF3, 0xCE);
const TColor kHotBottom = RGBColor(0xE7, 0x96, 0x00);
const TColor kToolFrameOffice = RGBColor(0x00, 0x33, 0x66);
const TColor kToolHotOffice = RGBColor(0xB5, 0xBE, 0xD6);
const TColor kToolPressedOffice = RGBColor(0x99, 0x99, 0xCC);
const TColor kDisabledGlyph = RGBColor(0x80, 0x80, 0x80);

// Copies as much of `source` as it has, up to width x height, to (x, y).
void CopyBitmap(TCanvas& canvas, int x, int y, int width, int height, const TBitmap& source)
{
    auto& bitmap = const_cast<TBitmap&>(source);
    width = std::min(width, bitmap.Width());
    height = std::min(height, bitmap.Height());
    if (width > 0 && height > 0)
        BitBlt(canvas.Handle(), x, y, width, height, bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
}

long PushButtonState(TdxVisualState state)
{
    return (state & vsPressed) ? STATE_SYSTEM_PRESSED : 0;
}

} // namespace

std::string ToolGlyphResourceName(TdxToolType type, int dpi)
{
    static const char* const names[] = {"ArrowLeft", "ArrowRight", "Close",  "Maximize",
                                        "Minimize",  "Popup",      "Restore"};
    // Each glyph is drawn for 100, 125, 150, 175 and 200 %; the largest one
    // not above the DPI's scale is taken, never a stretched copy.
    const int percent = std::clamp(dpi * 100 / 96 / 25 * 25, 100, 200);
    std::string name = names[static_cast<int>(type)];
    return percent == 100 ? name : name + std::to_string(percent);
}

// --- TdxCustomButton ---

TdxCustomButton::TdxCustomButton(TComponent* owner) : TdxCustomStyleControl(owner)
{
    // A fast second click is another click, not a double click.
    SetControlStyle(ControlStyle() & ~csDoubleClicks);
    SetBounds(Left(), Top(), 73, 21);
    SetTabStop(true);
    // The button has no colour of its own: the area outside its rounded
    // border shows the parent's colour.
    SetParentColor(true);
}

void TdxCustomButton::SetAndInvalidate(bool& field, bool value)
{
    if (field == value)
        return;
    field = value;
    InvalidateUnlessLocked();
}

void TdxCustomButton::SetShowAccelChar(bool value)
{
    SetAndInvalidate(showAccelChar_, value);
}
void TdxCustomButton::SetWordWrap(bool value)
{
    SetAndInvalidate(wordWrap_, value);
}

void TdxCustomButton::SetSpacing(uint8_t value)
{
    if (spacing_ != value) {
        spacing_ = value;
        InvalidateUnlessLocked();
    }
}

void TdxCustomButton::SetGlyph(const TBitmap& glyph)
{
    glyph_.Assign(glyph);
    InvalidateUnlessLocked();
}

void TdxCustomButton::SetDefault(bool value)
{
    if (default_ == value)
        return;
    default_ = value;
    // Every styled control of the form works out again whether a styled
    // control is active, and repaints.
    if (TForm* form = ParentForm(); form && form->HandleAllocated())
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

bool TdxCustomButton::IsHighlighted(bool ignoreDefault) const
{
    bool highlighted;
    if (VisualState & vsPressed)
        highlighted = !(VisualState & vsHot);
    else
        highlighted = (VisualState & (vsHot | vsFocused)) != 0;
    if (!ignoreDefault && default_ && CanFocus() && !ActiveControlIsStyled)
        highlighted = true;
    return highlighted;
}

void TdxCustomButton::DoResized()
{
    TdxCustomStyleControl::DoResized();
    // Every inset is the border's width, one pixel at 96 DPI.
    const int b = Scaled(1);
    const int width = Width(), height = Height();
    const int d = (4 * (IsHighlighted(true) ? 1 : 0) + 2) * b;
    CreateGradientBitmap(width - d, height - d, kFaceTop, kFaceBottom, 64, TdxGradientDirection::gdFromTop,
                         true, faceBitmap_);
    CreateGradientBitmap(width - 2 * b, height - 2 * b, kPressedTop, kPressedBottom, 64,
                         TdxGradientDirection::gdFromTop, true, pressedFaceBitmap_);
    CreateGradientBitmap(width - 2 * b, height - 2 * b, kFocusTop, kFocusBottom, 64,
                         TdxGradientDirection::gdFromTop, true, focusRingBitmap_);
    CreateGradientBitmap(width - 2 * b, height - 2 * b, kHotTop, kHotBottom, 64,
                         TdxGradientDirection::gdFromTop, true, hotRingBitmap_);
    ++gradientBuilds_;
    InvalidateUnlessLocked();
}

// In a contrast theme: the face in the button colour (the highlight while
// pressed), and a two-pixel ring in the focus colour where the gradients
// would show one.
void TdxCustomButton::PaintContrastBackground(TCanvas& canvas, bool pressedOver)
{
    const TColorScheme& scheme = Application->ColorScheme();
    const int width = Width(), height = Height();
    canvas.Brush().SetColor(scheme.Fill(Color()));
    canvas.FillRect({0, 0, width, height});
    canvas.Brush().SetColor(pressedOver ? clHighlight : clBtnFace);
    canvas.FillRect({1, 1, width - 1, height - 1});
    if (IsHighlighted(false) && !pressedOver) {
        canvas.Pen().SetColor(scheme.Focus(kFocusBottom));
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        canvas.Rectangle(1, 1, width - 1, height - 1);
        canvas.Rectangle(2, 2, width - 2, height - 2);
    }
}

void TdxCustomButton::PaintBackground(TCanvas& canvas, bool pressedOver)
{
    if (Application->ColorScheme().Contrast()) {
        PaintContrastBackground(canvas, pressedOver);
        return;
    }
    const int b = Scaled(1);
    const int width = Width(), height = Height();
    canvas.Brush().SetColor(Color());
    canvas.FillRect({0, 0, width, height});

    const bool highlighted = IsHighlighted(false);
    if (highlighted)
        CopyBitmap(canvas, b, b, width, height, (VisualState & vsHot) ? hotRingBitmap_ : focusRingBitmap_);

    if (pressedOver) {
        CopyBitmap(canvas, b, b, width, height, pressedFaceBitmap_);
    } else {
        const int n = highlighted ? b : 0;
        CopyBitmap(canvas, b + 2 * n, b + 2 * n, width - 6 * n, height - 6 * n, faceBitmap_);
    }
}

void TdxCustomButton::PaintBorder(TCanvas& canvas)
{
    const int b = Scaled(1);
    const int width = Width(), height = Height();
    const TColorScheme& scheme = Application->ColorScheme();
    const TColor border = Enabled() ? kBorderEnabled : kBorderDisabled;
    canvas.Pen().SetColor(scheme.Contrast() ? (Enabled() ? clBtnText : clGrayText) : border);
    canvas.Pen().SetWidth(b);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    // A wide pen is centred on the outline: inset by half its width so the
    // whole border stays inside the button.
    canvas.RoundRect(b / 2, b / 2, width - (b - 1) / 2, height - (b - 1) / 2, 5 * b, 5 * b);

    // The rounded corners' outer pixels, in a lighter shade, smooth the edge
    // (in a contrast theme, the parent's fill keeps them round).
    const TColor corner = Enabled() ? kCornerEnabled : kBorderDisabled;
    canvas.Pen().SetColor(scheme.Contrast() ? scheme.Fill(Color()) : corner);
    DrawLine(canvas, 0, b, 2 * b, 0);
    DrawLine(canvas, width - 2 * b, 0, width, 2 * b);
    DrawLine(canvas, 0, height - 2 * b, 2 * b, height);
    DrawLine(canvas, width - 3 * b, height, width, height - 3 * b);
    canvas.Pen().SetWidth(1);
}

// Draws the glyph left of the placed caption; `shift` is 1 while pressed.
void TdxCustomButton::DrawGlyph(TCanvas& canvas, TBitmap& glyph, const RECT& caption, int shift)
{
    glyph.SetTransparent(true);
    canvas.Draw(caption.left - glyph.Width() - Scaled(spacing_), (Height() - glyph.Height()) / 2 + shift,
                glyph);
}

void TdxCustomButton::Paint()
{
    TCanvas& canvas = Canvas();
    const int width = Width(), height = Height();
    const bool pressedOver = (VisualState & vsHot) && (VisualState & vsPressed);
    PaintBackground(canvas, pressedOver);
    PaintBorder(canvas);

    // The picture beside the caption, greyed when disabled.
    TBitmap glyph;
    glyph.Assign(glyph_);
    if (!Enabled() && !glyph.Empty())
        MakeGrayGlyph(glyph);

    canvas.Font().Assign(Font());
    canvas.Font().SetColor(
        Application->ColorScheme().Text(Font().Color(), pressedOver ? clHighlight : clBtnFace));
    RECT rect{0, 0, width, height};
    UINT flags = DT_END_ELLIPSIS | (wordWrap_ ? DT_WORDBREAK : 0);
    // The caption, once centred, leaves room for the glyph on its left.
    if (!glyph.Empty())
        rect.left += glyph.Width() + Scaled(spacing_);

    DrawCaptionText(*this, canvas, Caption(), canvas.Font(), Enabled(), showAccelChar_, rect,
                    flags | DT_CALCRECT);
    OffsetRect(&rect, (width - rect.right) / 2, (height - rect.bottom) / 2);
    const int shift = pressedOver ? 1 : 0;
    OffsetRect(&rect, shift, shift);

    if (!glyph.Empty())
        DrawGlyph(canvas, glyph, rect, shift);

    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    DrawCaptionText(*this, canvas, Caption(), canvas.Font(), Enabled(), showAccelChar_, rect, flags);
    if (VisualState & vsFocused)
        PaintFocusRect(canvas);
}

// The keyboard focus as a dotted frame inside the face, in the text colour,
// so it shows on any face and under any theme (the blue ring alone is
// faint).
void TdxCustomButton::PaintFocusRect(TCanvas& canvas)
{
    canvas.Pen().SetColor(clWindowText);
    canvas.Pen().SetStyle(TPenStyle::psDot);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Rectangle(3, 3, Width() - 3, Height() - 3);
    canvas.Pen().SetStyle(TPenStyle::psSolid);
}

void TdxCustomButton::KeyDown(WORD& key, TShiftState shift)
{
    if (key == VK_SPACE && !(shift & (ssShift | ssCtrl | ssAlt))) {
        VisualState |= vsHot;
        DoMousePressed();
    }
    TdxCustomStyleControl::KeyDown(key, shift);
}

void TdxCustomButton::KeyUp(WORD& key, TShiftState shift)
{
    if (VisualState & vsPressed) {
        POINT cursor;
        GetCursorPos(&cursor);
        const POINT point = ScreenToClient(cursor);
        if (point.x < 0 || point.y < 0 || point.x >= Width() || point.y >= Height())
            VisualState &= ~vsHot;
        VisualState &= ~vsPressed;
        InvalidateUnlessLocked();
        Click();
    }
    TdxCustomStyleControl::KeyUp(key, shift);
}

void TdxCustomButton::WndProc(TMessage& message)
{
    if (message.Msg == CM_DIALOGKEY) {
        const bool noModifiers = !(KeyboardShiftState() & (ssShift | ssCtrl | ssAlt));
        const bool enter = message.WParam == VK_RETURN && (Focused() || (default_ && !ActiveControlIsStyled));
        const bool escape = message.WParam == VK_ESCAPE && Cancel && noModifiers;
        if (CanFocus() && (enter || escape)) {
            Click();
            message.Result = 1;
            return;
        }
    }
    TdxCustomStyleControl::WndProc(message);
}

long TdxCustomButton::AccessibleRole() const
{
    return ROLE_SYSTEM_PUSHBUTTON;
}

long TdxCustomButton::AccessibleState() const
{
    return PushButtonState(VisualState);
}

std::string TdxCustomButton::AccessibleAction() const
{
    return "Press";
}

// --- TdxCustomToolButton ---

TdxCustomToolButton::TdxCustomToolButton(TComponent* owner) : TdxCustomStyleControl(owner)
{
    SetControlStyle(ControlStyle() & ~csDoubleClicks);
    SetColor(clBlack);
    DoResized();
}

void TdxCustomToolButton::SetToolType(TdxToolType type)
{
    if (toolType_ != type) {
        toolType_ = type;
        InvalidateUnlessLocked();
    }
}

void TdxCustomToolButton::DoResized()
{
    // Any other size snaps back: 15 pixels at 96 DPI, scaled at others.
    const int size = Scaled(15);
    if (Width() != size || Height() != size)
        SetBounds(Left(), Top(), size, size);
}

void TdxCustomToolButton::Paint()
{
    TCanvas& canvas = Canvas();
    RECT rect = ClientRect();
    const int width = rect.right, height = rect.bottom;
    const TdxTheme theme = Style().EffectiveTheme();
    const bool hot = VisualState & vsHot, pressed = VisualState & vsPressed;

    const TColorScheme& scheme = Application->ColorScheme();
    const TColor fill = scheme.Fill(Parent() ? Parent()->Color() : Color());
    canvas.Brush().SetColor(fill);
    canvas.FillRect(rect);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);

    if (scheme.Contrast()) {
        PaintContrast(canvas, fill);
        return;
    }
    if (theme == TdxTheme::WindowsXP) {
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
    const int offset = (theme == TdxTheme::WindowsXP && pressed) ? 1 : 0;

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

long TdxCustomToolButton::AccessibleRole() const
{
    return ROLE_SYSTEM_PUSHBUTTON;
}

long TdxCustomToolButton::AccessibleState() const
{
    return PushButtonState(VisualState);
}

std::string TdxCustomToolButton::AccessibleAction() const
{
    return "Press";
}

// In a contrast theme: a hot or pressed button is framed in the text colour
// and filled with the highlight; the glyph takes the text colour of its fill.
void TdxCustomToolButton::PaintContrast(TCanvas& canvas, TColor fill)
{
    const TColorScheme& scheme = Application->ColorScheme();
    const RECT rect = ClientRect();
    const bool marked = (VisualState & (vsHot | vsPressed)) != 0;
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
