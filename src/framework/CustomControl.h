#pragma once
// A windowed control that paints itself with a canvas. Painting goes into a
// memory bitmap first and is copied to the screen once (no flicker); the
// non-windowed children are painted after the control's own Paint.

#include "framework/WinControl.h"

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    TCanvas& Canvas() { return canvas_; }

protected:
    // Draws the control's client area on Canvas().
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    TCanvas canvas_;
};
