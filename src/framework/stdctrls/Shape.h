#pragma once
// A rectangle outlined with a pen and filled with a brush, painted by the
// parent. With a height or width of 1 it is a line in the pen's colour.

#include "framework/Control.h"

class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* owner);

    // Changing the pen or brush repaints the shape.
    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }

protected:
    void Paint() override;

private:
    TPen pen_;
    TBrush brush_;
};
