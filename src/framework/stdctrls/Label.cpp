#include "framework/stdctrls/Label.h"

#include "framework/Application.h"
#include "framework/WinControl.h"
#include "platform/Dpi.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetTransparent(bool transparent)
{
    if (transparent_ != transparent) {
        transparent_ = transparent;
        Invalidate();
    }
}

void TLabel::SetWordWrap(bool wordWrap)
{
    if (wordWrap_ != wordWrap) {
        wordWrap_ = wordWrap;
        AdjustBounds();
        Invalidate();
    }
}

void TLabel::SetAutoSize(bool autoSize)
{
    if (autoSize_ != autoSize) {
        autoSize_ = autoSize;
        AdjustBounds();
    }
}

void TLabel::SetShowAccelChar(bool showAccelChar)
{
    if (showAccelChar_ != showAccelChar) {
        showAccelChar_ = showAccelChar;
        AdjustBounds();
        Invalidate();
    }
}

void TLabel::SetEllipsisPosition(TEllipsisPosition position)
{
    if (ellipsisPosition_ != position) {
        ellipsisPosition_ = position;
        Invalidate();
    }
}

void TLabel::SetCaption(const std::string& text)
{
    TGraphicControl::SetCaption(text);
    AdjustBounds();
}

void TLabel::WndProc(TMessage& message)
{
    TGraphicControl::WndProc(message);
    // Another font measures the text anew (also a font taken from the parent).
    if (message.Msg == CM_FONTCHANGED)
        AdjustBounds();
}

UINT TLabel::TextFlags() const
{
    return DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | (showAccelChar_ ? 0 : DT_NOPREFIX);
}

void TLabel::AdjustBounds()
{
    // A label of a fixed size keeps it, except at another DPI than its
    // layout's: fonts do not grow exactly in step with the layout (their
    // hinting rounds each glyph), so a one-line text that fits at 96 DPI
    // could lose its last pixels; there the label widens to its text.
    const bool widenOnly = !autoSize_ && !wordWrap_ && Dpi() != kDesignDpi;
    if (!autoSize_ && !widenOnly)
        return;
    // Measure the text in the label's font on a screen-compatible DC.
    gdi::ScreenDC screen;
    TCanvas canvas;
    canvas.SetHandle(screen.Get());
    canvas.Font().Assign(Font());
    RECT rect{0, 0, wordWrap_ ? Width() : 0, 0};
    const std::string text = Caption().empty() ? " " : Caption();
    canvas.DrawText(text, rect, DT_CALCRECT | TextFlags());
    canvas.SetHandle(nullptr);
    if (widenOnly) {
        if (rect.right > Width())
            SetBounds(Left(), Top(), rect.right, Height());
        return;
    }
    SetBounds(Left(), Top(), rect.right, rect.bottom);
}

void TLabel::Paint()
{
    TCanvas& canvas = Canvas();
    RECT rect = ClientRect();
    const TColorScheme& scheme = Application->ColorScheme();
    // A transparent label stands on its parent, whose colour it shares.
    const TColor fill = scheme.Fill(Color());
    if (!transparent_) {
        canvas.Brush().SetColor(fill);
        canvas.FillRect(rect);
    }
    canvas.Font().SetColor(scheme.Text(Font().Color(), fill));
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    // Only drawing cuts the text: measuring for AutoSize takes all of it.
    UINT flags = TextFlags();
    if (ellipsisPosition_ == TEllipsisPosition::PathEllipsis)
        flags |= DT_PATH_ELLIPSIS;
    else if (ellipsisPosition_ == TEllipsisPosition::EndEllipsis)
        flags |= DT_END_ELLIPSIS;
    if (!Enabled() && scheme.Contrast()) {
        canvas.Font().SetColor(scheme.DisabledText(clBtnShadow));
    } else if (!Enabled()) {
        // Disabled text: a highlight copy one pixel down and right under grey.
        RECT shifted = rect;
        OffsetRect(&shifted, 1, 1);
        canvas.Font().SetColor(clBtnHighlight);
        canvas.DrawText(Caption(), shifted, flags);
        canvas.Font().SetColor(clBtnShadow);
    }
    canvas.DrawText(Caption(), rect, flags);
}
