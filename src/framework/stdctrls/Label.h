#pragma once
// A text label, painted by its parent: transparent or filled, optionally
// word-wrapped, growing with its text (AutoSize) or of a fixed size that
// cuts off what does not fit, with its own font and hint.

#include "framework/Control.h"

// Where a label's text that does not fit its width is cut and marked "...":
// nowhere (the text is simply clipped), in the middle of a path keeping its
// last part, or at the end.
enum class TEllipsisPosition : uint8_t { None, PathEllipsis, EndEllipsis };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    // Whether the label grows and shrinks to fit its text.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    // Whether "&" marks the next character as an accelerator (underlined)
    // instead of showing itself. Labels that show file names turn it off.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool showAccelChar);
    TEllipsisPosition EllipsisPosition() const { return ellipsisPosition_; }
    void SetEllipsisPosition(TEllipsisPosition position);
    void SetCaption(const std::string& text) override;

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    // An auto-sized label takes its text's size in its font at the new DPI.
    void DpiChanged() override { AdjustBounds(); }

private:
    void AdjustBounds();
    UINT TextFlags() const;

    bool transparent_ = false;
    bool wordWrap_ = false;
    bool autoSize_ = true;
    bool showAccelChar_ = true;
    TEllipsisPosition ellipsisPosition_ = TEllipsisPosition::None;
};
