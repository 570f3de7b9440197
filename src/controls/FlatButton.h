#pragma once
// The flat push button.

#include "controls/StyledControl.h"

#include "framework/graphics/Bitmap.h"
#include <array>

// A flat push button: rounded dark-blue border, white-to-grey face, orange
// ring while hot, blue ring while focused or default, a dotted frame while
// focused, darker face while pressed, optional glyph, embossed caption when
// disabled.
class TFlatButton : public TThemedControl {
public:
    explicit TFlatButton(TComponent* owner);

    bool Default() const { return default_; }
    virtual void SetDefault(bool value);
    TBitmap& Glyph() { return glyph_; }
    virtual void SetGlyph(const TBitmap& glyph);
    bool ShowAccelChar() const { return showAccelChar_; }
    virtual void SetShowAccelChar(bool value);
    uint8_t Spacing() const { return spacing_; }
    virtual void SetSpacing(uint8_t value);
    bool WordWrap() const { return wordWrap_; }
    virtual void SetWordWrap(bool value);

    bool Cancel = false;

    // Whether the button shows a ring: pressed shows it exactly when the
    // pointer is off the button; otherwise hot or focused, or (unless
    // ignored) the default button while no styled control is active.
    bool IsHighlighted(bool ignoreDefault) const;

    // The gradients (read by tests). The face is built on every size
    // change; the pressed face and the rings, which most buttons of a start
    // never show, the first time they are drawn at a size.
    const TBitmap& FaceBitmap() const { return faceBitmap_; }
    const TBitmap& PressedFaceBitmap() const { return Shade(TShade::Pressed); }
    const TBitmap& FocusRingBitmap() const { return Shade(TShade::FocusRing); }
    const TBitmap& HotRingBitmap() const { return Shade(TShade::HotRing); }
    // How many gradient bitmaps have been built: once each per size, never
    // again while painting at that size.
    int GradientBuildCount() const { return gradientBuilds_; }

    void DoResized() override;
    void WndProc(TMessage& message) override;
    // A push button for assistive technology, pressed while held down.
    long AccessibleRole() const override;
    long AccessibleState() const override;
    std::string AccessibleAction() const override;

protected:
    void Paint() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;

private:
    void SetAndInvalidate(bool& field, bool value);
    void PaintBackground(TCanvas& canvas, bool pressedOver);
    void PaintContrastBackground(TCanvas& canvas, bool pressedOver);
    void PaintBorder(TCanvas& canvas);
    void DrawGlyph(TCanvas& canvas, TBitmap& glyph, const RECT& caption, int shift);
    void PaintFocusRect(TCanvas& canvas);

    enum class TShade : uint8_t { Pressed, FocusRing, HotRing };
    // The shade's gradient at the button's size, built if it is not yet.
    const TBitmap& Shade(TShade shade) const;

    bool default_ = false;
    TBitmap faceBitmap_;
    mutable std::array<TBitmap, 3> shades_;
    // Whether each shade is built for the current size.
    mutable std::array<bool, 3> shadeBuilt_{};
    TBitmap glyph_;
    bool showAccelChar_ = true;
    uint8_t spacing_ = 3;
    bool wordWrap_ = true;
    mutable int gradientBuilds_ = 0;
};
