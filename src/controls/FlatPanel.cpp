#include "controls/FlatPanel.h"

#include "controls/FlatDrawing.h"
#include "framework/Application.h"

#include <oleacc.h>

TFlatPanel::TFlatPanel(TComponent* owner) : TStyledControl(owner)
{
    SetControlStyle(ControlStyle() | TControlStyleFlag::AcceptsControls);
    SetBounds(Left(), Top(), 185, 41);
    SetParentColor(true);
}

void TFlatPanel::CreateParams(TCreateParams& params)
{
    TStyledControl::CreateParams(params);
    // A size change does not repaint the whole window by itself: the
    // position reaction repaints once per geometry change.
    params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
    params.WinClassName = "TessivoFlatPanel";
}

void TFlatPanel::AdjustClientRect(RECT& rect)
{
    TStyledControl::AdjustClientRect(rect);
    ShrinkByBorder(Scaled(borderWidth_), showBoundLines_, boundLines_, rect, Scaled(1));
    if (!glyph_.Empty())
        rect.left += glyph_.Width();
}

void TFlatPanel::SetAlignment(TAlignment value)
{
    SetAndRedraw(alignment_, value);
}
void TFlatPanel::SetBoundColor(TColor value)
{
    SetAndRedraw(boundColor_, value);
}
void TFlatPanel::SetShowCaption(bool value)
{
    SetAndRedraw(showCaption_, value);
}
void TFlatPanel::SetSpacing(uint8_t value)
{
    SetAndRedraw(spacing_, value);
}
void TFlatPanel::SetWordWrap(bool value)
{
    SetAndRedraw(wordWrap_, value);
}
void TFlatPanel::SetBoundLines(TBoundLines value)
{
    SetRealignAndRedraw(boundLines_, value);
}
void TFlatPanel::SetBorderWidth(int value)
{
    SetRealignAndRedraw(borderWidth_, value);
}
void TFlatPanel::SetShowBoundLines(bool value)
{
    SetRealignAndRedraw(showBoundLines_, value);
}

void TFlatPanel::SetGlyph(const TBitmap& glyph)
{
    if (&glyph == &glyph_)
        return;
    glyph_.Assign(glyph);
    Realign();
    Redraw();
}

void TFlatPanel::SetEnabledMode(TEnabledMode value)
{
    if (enabledMode_ != value) {
        enabledMode_ = value;
        DoEnabledChanged();
    }
}

void TFlatPanel::DoEnabledChanged()
{
    TStyledControl::DoEnabledChanged();
    if (enabledMode_ == TEnabledMode::AffectChildren)
        for (TControl* child : std::vector<TControl*>(Controls()))
            child->SetEnabled(Enabled());
    if (OnEnabledChanged)
        OnEnabledChanged(this);
}

void TFlatPanel::DoMousePressed()
{
    if (focusable_) {
        TStyledControl::DoMousePressed();
        return;
    }
    VisualState |= TVisualStateFlag::Pressed;
    Redraw();
}

void TFlatPanel::DoPositionChanged()
{
    TStyledControl::DoPositionChanged();
    Redraw();
}

void TFlatPanel::Paint()
{
    TCanvas& canvas = Canvas();
    RECT rect = ClientRect();
    const TColorScheme& scheme = Application->ColorScheme();
    const TColor fill = scheme.Fill(Color());
    canvas.Brush().SetColor(fill);
    canvas.FillRect(rect);
    canvas.Brush().SetStyle(TBrushStyle::Clear);

    if (showBoundLines_ && boundLines_ != 0)
        DrawBoundLines(canvas, boundLines_, scheme.Line(boundColor_, fill), rect, Scaled(1));
    ShrinkByBorder(Scaled(borderWidth_), showBoundLines_, boundLines_, rect, Scaled(1));
    // The owner's drawing and the caption write in the text colour of the fill.
    canvas.Font().SetColor(scheme.Text(Font().Color(), fill));

    if (OnPaint)
        OnPaint(this, rect, canvas, canvas.Font());

    if (!glyph_.Empty()) {
        glyph_.SetTransparent(true);
        canvas.Draw(rect.left, (rect.bottom - rect.top - glyph_.Height()) / 2 + 1, glyph_);
        rect.left += glyph_.Width();
    }

    if (showCaption_) {
        canvas.Font().Assign(Font());
        canvas.Font().SetColor(scheme.Text(Font().Color(), fill));
        rect.left += Scaled(spacing_);
        rect.right -= Scaled(spacing_);
        rect.top += Scaled(1);
        rect.bottom -= Scaled(1);
        DrawPanelCaption(Caption(), rect);
    }
}

void TFlatPanel::DrawPanelCaption(const std::string& caption, RECT rect)
{
    TCanvas& canvas = Canvas();
    UINT flags = 0;
    if (alignment_ == TAlignment::RightJustify)
        flags = DT_RIGHT;
    else if (alignment_ == TAlignment::Center)
        flags = DT_CENTER;
    if (flags != 0 && canvas.TextWidth(caption) > rect.right - rect.left)
        flags = 0; // a caption that does not fit starts at the left
    flags |= DT_EXPANDTABS | DT_END_ELLIPSIS | (wordWrap_ ? DT_WORDBREAK : 0);
    // Centred vertically.
    RECT measured = rect;
    canvas.DrawText(caption, measured, flags | DT_CALCRECT);
    OffsetRect(&rect, 0, (rect.bottom - measured.bottom) / 2);
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    canvas.DrawText(caption, rect, flags);
}

long TFlatPanel::AccessibleRole() const
{
    return ROLE_SYSTEM_GROUPING;
}
