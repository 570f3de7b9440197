#pragma once
// A text label, painted by its parent: transparent or filled, optionally
// word-wrapped, with its own font and hint.

#include "framework/Control.h"

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
    void SetCaption(const std::string& text) override;

protected:
    void Paint() override;

private:
    void AdjustBounds();

    bool transparent_ = false;
    bool wordWrap_ = false;
    bool autoSize_ = true;
};
