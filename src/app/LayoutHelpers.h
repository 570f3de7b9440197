#pragma once
// Small builders shared by the program's form layouts.

#include "controls/FlatPanel.h"
#include "framework/Component.h"
#include "framework/WinControl.h"
#include "framework/stdctrls/Shape.h"

inline const TColor kPanelWhite = RGBColor(255, 251, 247); // 16251903
inline const TColor kHeaderGrey = RGBColor(237, 233, 227); // 14936557

// A control of kind T, named, on its parent, at left, top with the given size.
template <class T>
T* Place(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width, int height)
{
    T* control = new T(owner);
    control->Name = name;
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// A one-pixel separator line with a silver pen.
inline TShape* Line(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
                    int height)
{
    auto* shape = Place<TShape>(owner, parent, name, left, top, width, height);
    shape->Pen().SetColor(clSilver);
    return shape;
}

// A panel with a one-pixel black frame on all four sides, in panel white.
inline TFlatPanel* FramedPanel(TComponent* owner, TWinControl* parent, const char* name, int left, int top,
                               int width, int height)
{
    auto* panel = Place<TFlatPanel>(owner, parent, name, left, top, width, height);
    panel->SetBorderWidth(1);
    panel->SetBoundColor(clBlack);
    panel->SetBoundLines(TBoundLine::All);
    panel->SetColor(kPanelWhite);
    return panel;
}
