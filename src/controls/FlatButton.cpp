#include "controls/FlatButton.h"

#include "controls/FlatDrawing.h"
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

// Copies as much of `source` as it has, up to width x height, to (x, y).
void CopyBitmap(TCanvas& canvas, int x, int y, int width, int height, const TBitmap& source)
{
    auto& bitmap = const_cast<TBitmap&>(source);
    width = std::min(width, bitmap.Width());
    height = std::min(height, bitmap.Height());
    if (width > 0 && height > 0)
        BitBlt(canvas.Handle(), x, y, width, height, bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
}

} // namespace

TFlatButton::TFlatButton(TComponent* owner) : TThemedControl(owner)
{
    // A fast second click is another click, not a double click.
    SetControlStyle(ControlStyle() & ~TControlStyleFlag::DoubleClicks);
    SetBounds(Left(), Top(), 73, 21);
    SetTabStop(true);
    // The button has no colour of its own: the area outside its rounded
    // border shows the parent's colour.
    SetParentColor(true);
}

void TFlatButton::SetAndInvalidate(bool& field, bool value)
{
    if (field == value)
        return;
    field = value;
    InvalidateUnlessLocked();
}

void TFlatButton::SetShowAccelChar(bool value)
{
    SetAndInvalidate(showAccelChar_, value);
}
void TFlatButton::SetWordWrap(bool value)
{
    SetAndInvalidate(wordWrap_, value);
}

void TFlatButton::SetSpacing(uint8_t value)
{
    if (spacing_ != value) {
        spacing_ = value;
        InvalidateUnlessLocked();
    }
}

void TFlatButton::SetGlyph(const TBitmap& glyph)
{
    glyph_.Assign(glyph);
    InvalidateUnlessLocked();
}

void TFlatButton::SetDefault(bool value)
{
    if (default_ == value)
        return;
    default_ = value;
    // Every styled control of the form works out again whether a styled
    // control is active, and repaints.
    if (TForm* form = ParentForm(); form && form->HandleAllocated())
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

bool TFlatButton::IsHighlighted(bool ignoreDefault) const
{
    bool highlighted;
    if (VisualState & TVisualStateFlag::Pressed)
        highlighted = !(VisualState & TVisualStateFlag::Hot);
    else
        highlighted = (VisualState & (TVisualStateFlag::Hot | TVisualStateFlag::Focused)) != 0;
    if (!ignoreDefault && default_ && CanFocus() && !ActiveControlIsStyled)
        highlighted = true;
    return highlighted;
}

void TFlatButton::DoResized()
{
    TThemedControl::DoResized();
    // Every inset is the border's width, one pixel at 96 DPI.
    const int b = Scaled(1);
    const int d = (4 * (IsHighlighted(true) ? 1 : 0) + 2) * b;
    CreateGradientBitmap(Width() - d, Height() - d, kFaceTop, kFaceBottom, 64, TGradientDirection::FromTop,
                         true, faceBitmap_);
    ++gradientBuilds_;
    shadeBuilt_.fill(false);
    InvalidateUnlessLocked();
}

const TBitmap& TFlatButton::Shade(TShade shade) const
{
    const auto index = static_cast<size_t>(shade);
    if (!shadeBuilt_[index]) {
        static constexpr std::array<std::pair<TColor, TColor>, 3> kColors = {
            {{kPressedTop, kPressedBottom}, {kFocusTop, kFocusBottom}, {kHotTop, kHotBottom}}};
        const int b = Scaled(1);
        CreateGradientBitmap(Width() - 2 * b, Height() - 2 * b, kColors[index].first, kColors[index].second,
                             64, TGradientDirection::FromTop, true, shades_[index]);
        ++gradientBuilds_;
        shadeBuilt_[index] = true;
    }
    return shades_[index];
}

// In a contrast theme: the face in the button colour (the highlight while
// pressed), and a two-pixel ring in the focus colour where the gradients
// would show one.
void TFlatButton::PaintContrastBackground(TCanvas& canvas, bool pressedOver)
{
    const TColorScheme& scheme = Application->ColorScheme();
    const int width = Width(), height = Height();
    canvas.Brush().SetColor(scheme.Fill(Color()));
    canvas.FillRect({0, 0, width, height});
    canvas.Brush().SetColor(pressedOver ? clHighlight : clBtnFace);
    canvas.FillRect({1, 1, width - 1, height - 1});
    if (IsHighlighted(false) && !pressedOver) {
        canvas.Pen().SetColor(scheme.Focus(kFocusBottom));
        canvas.Brush().SetStyle(TBrushStyle::Clear);
        canvas.Rectangle(1, 1, width - 1, height - 1);
        canvas.Rectangle(2, 2, width - 2, height - 2);
    }
}

void TFlatButton::PaintBackground(TCanvas& canvas, bool pressedOver)
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
        CopyBitmap(canvas, b, b, width, height,
                   Shade((VisualState & TVisualStateFlag::Hot) ? TShade::HotRing : TShade::FocusRing));

    if (pressedOver) {
        CopyBitmap(canvas, b, b, width, height, Shade(TShade::Pressed));
    } else {
        const int n = highlighted ? b : 0;
        CopyBitmap(canvas, b + 2 * n, b + 2 * n, width - 6 * n, height - 6 * n, faceBitmap_);
    }
}

void TFlatButton::PaintBorder(TCanvas& canvas)
{
    const int b = Scaled(1);
    const int width = Width(), height = Height();
    const TColorScheme& scheme = Application->ColorScheme();
    const TColor border = Enabled() ? kBorderEnabled : kBorderDisabled;
    canvas.Pen().SetColor(scheme.Contrast() ? (Enabled() ? clBtnText : clGrayText) : border);
    canvas.Pen().SetWidth(b);
    canvas.Brush().SetStyle(TBrushStyle::Clear);
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
void TFlatButton::DrawGlyph(TCanvas& canvas, TBitmap& glyph, const RECT& caption, int shift)
{
    glyph.SetTransparent(true);
    canvas.Draw(caption.left - glyph.Width() - Scaled(spacing_), (Height() - glyph.Height()) / 2 + shift,
                glyph);
}

void TFlatButton::Paint()
{
    TCanvas& canvas = Canvas();
    const int width = Width(), height = Height();
    const bool pressedOver =
        (VisualState & TVisualStateFlag::Hot) && (VisualState & TVisualStateFlag::Pressed);
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

    canvas.Brush().SetStyle(TBrushStyle::Clear);
    DrawCaptionText(*this, canvas, Caption(), canvas.Font(), Enabled(), showAccelChar_, rect, flags);
    if (VisualState & TVisualStateFlag::Focused)
        PaintFocusRect(canvas);
}

// The keyboard focus as a dotted frame inside the face, in the text colour,
// so it shows on any face and under any theme (the blue ring alone is
// faint).
void TFlatButton::PaintFocusRect(TCanvas& canvas)
{
    canvas.Pen().SetColor(clWindowText);
    canvas.Pen().SetStyle(TPenStyle::Dot);
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    canvas.Rectangle(3, 3, Width() - 3, Height() - 3);
    canvas.Pen().SetStyle(TPenStyle::Solid);
}

void TFlatButton::KeyDown(WORD& key, TShiftState shift)
{
    if (key == VK_SPACE && !(shift & (TShiftFlag::Shift | TShiftFlag::Ctrl | TShiftFlag::Alt))) {
        VisualState |= TVisualStateFlag::Hot;
        DoMousePressed();
    }
    TThemedControl::KeyDown(key, shift);
}

void TFlatButton::KeyUp(WORD& key, TShiftState shift)
{
    if (VisualState & TVisualStateFlag::Pressed) {
        POINT cursor;
        GetCursorPos(&cursor);
        const POINT point = ScreenToClient(cursor);
        if (point.x < 0 || point.y < 0 || point.x >= Width() || point.y >= Height())
            VisualState &= ~TVisualStateFlag::Hot;
        VisualState &= ~TVisualStateFlag::Pressed;
        InvalidateUnlessLocked();
        Click();
    }
    TThemedControl::KeyUp(key, shift);
}

void TFlatButton::WndProc(TMessage& message)
{
    if (message.Msg == CM_DIALOGKEY) {
        const bool noModifiers =
            !(KeyboardShiftState() & (TShiftFlag::Shift | TShiftFlag::Ctrl | TShiftFlag::Alt));
        const bool enter = message.WParam == VK_RETURN && (Focused() || (default_ && !ActiveControlIsStyled));
        const bool escape = message.WParam == VK_ESCAPE && Cancel && noModifiers;
        if (CanFocus() && (enter || escape)) {
            Click();
            message.Result = 1;
            return;
        }
    }
    TThemedControl::WndProc(message);
}

long TFlatButton::AccessibleRole() const
{
    return ROLE_SYSTEM_PUSHBUTTON;
}

long TFlatButton::AccessibleState() const
{
    return (VisualState & TVisualStateFlag::Pressed) ? STATE_SYSTEM_PRESSED : 0;
}

std::string TFlatButton::AccessibleAction() const
{
    return "Press";
}
