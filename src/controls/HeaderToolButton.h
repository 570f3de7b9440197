#pragma once
// The small tool button of a window's header (close, minimise, to the
// notification area...), drawn from one of seven glyph resources.

#include "controls/StyledControl.h"

#include <string>

// Which glyph the button shows; the order is that of the glyph names.
enum class TToolType : uint8_t { ArrowLeft, ArrowRight, Close, Maximize, Minimize, Popup, Restore };

// A fixed 15 x 15 button showing one of seven built-in glyphs; its Color is
// the glyph's colour.
class THeaderToolButton : public TThemedControl {
public:
    explicit THeaderToolButton(TComponent* owner);

    TToolType ToolType() const { return toolType_; }
    virtual void SetToolType(TToolType type);

    void DoResized() override;
    // A push button for assistive technology, pressed while held down.
    long AccessibleRole() const override;
    long AccessibleState() const override;
    std::string AccessibleAction() const override;

protected:
    void Paint() override;

private:
    void PaintContrast(TCanvas& canvas, TColor fill);

    TToolType toolType_ = TToolType::Close;
};

// The resource name of a tool glyph ("Close" for TToolType::Close...) drawn for
// `dpi`: "Close150" at 144 DPI.
std::string ToolGlyphResourceName(TToolType type, int dpi = 96);
