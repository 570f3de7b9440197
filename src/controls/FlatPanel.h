#pragma once
// A flat panel: background, optional edge lines, glyph and caption, a paint
// event for the owner's own drawing, and a border that insets its aligned
// children.

#include "controls/GradientMath.h"
#include "controls/StyledControl.h"
#include "framework/graphics/Bitmap.h"

enum class TEnabledMode : uint8_t { AffectChildren, Normal };
enum class TAlignment : uint8_t { LeftJustify, RightJustify, Center };

using TPanelPaintEvent = std::function<void(TObject* sender, RECT rect, TCanvas& canvas, TFont& font)>;

class TFlatPanel : public TStyledControl {
public:
    explicit TFlatPanel(TComponent* owner);
    // A group of controls for assistive technology.
    long AccessibleRole() const override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TColor BoundColor() const { return boundColor_; }
    void SetBoundColor(TColor value);
    TBoundLines BoundLines() const { return boundLines_; }
    void SetBoundLines(TBoundLines value);
    TEnabledMode EnabledMode() const { return enabledMode_; }
    void SetEnabledMode(TEnabledMode value);
    bool Focusable() const { return focusable_; }
    void SetFocusable(bool value) { focusable_ = value; }
    TBitmap& Glyph() { return glyph_; }
    void SetGlyph(const TBitmap& glyph);
    bool ShowBoundLines() const { return showBoundLines_; }
    void SetShowBoundLines(bool value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    uint8_t Spacing() const { return spacing_; }
    void SetSpacing(uint8_t value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    TNotifyEvent OnEnabledChanged;
    TPanelPaintEvent OnPaint;

    void DoEnabledChanged() override;
    void DoMousePressed() override;
    void DoPositionChanged() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(RECT& rect) override;
    void Paint() override;
    // Draws the caption into `rect` with the panel's alignment, layout
    // and word wrap, left-justified when it does not fit.
    void DrawPanelCaption(const std::string& caption, RECT rect);

private:
    template <class T>
    void SetAndRedraw(T& field, T value)
    {
        if (field != value) {
            field = value;
            Redraw();
        }
    }
    template <class T>
    void SetRealignAndRedraw(T& field, T value)
    {
        if (field != value) {
            field = value;
            Realign();
            Redraw();
        }
    }

    TAlignment alignment_ = TAlignment::Center;
    int borderWidth_ = 0;
    TColor boundColor_ = RGBColor(0x80, 0x80, 0x80);
    TBoundLines boundLines_ = 0;
    TEnabledMode enabledMode_ = TEnabledMode::Normal;
    bool focusable_ = false;
    TBitmap glyph_;
    bool showBoundLines_ = true;
    bool showCaption_ = false;
    uint8_t spacing_ = 5;
    bool wordWrap_ = false;
};
