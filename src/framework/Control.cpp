#include "framework/Control.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/WinControl.h"
#include "platform/Dpi.h"

#include <exception>

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>())
{
    font_->OnChange = [this] {
        parentFont_ = false;
        Perform(CM_FONTCHANGED);
    };
}

TControl::~TControl()
{
    if (Application)
        Application->ControlDestroying(this);
    if (parent_)
        parent_->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    const RECT old = BoundsRect();
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    InvalidateInParent(old);
    InvalidateInParent(BoundsRect());
    RequestAlign();
    if (resized)
        Resize();
}

void TControl::InvalidateInParent(const RECT& area)
{
    if (parent_ && parent_->HandleAllocated() && visible_)
        InvalidateRect(parent_->Handle(), &area, TRUE);
}

POINT TControl::ClientToScreen(POINT point) const
{
    POINT origin{left_, top_};
    if (parent_)
        origin = parent_->ClientToScreen(origin);
    return {point.x + origin.x, point.y + origin.y};
}

POINT TControl::ScreenToClient(POINT point) const
{
    const POINT origin = ClientToScreen({0, 0});
    return {point.x - origin.x, point.y - origin.y};
}

void TControl::SetAlign(TAlign align)
{
    if (align_ != align) {
        align_ = align;
        RequestAlign();
    }
}

void TControl::RequestAlign()
{
    if (parent_)
        parent_->Realign();
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent_ == parent)
        return;
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

TForm* TControl::ParentForm() const
{
    const TControl* control = this;
    while (control->parent_)
        control = control->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

int TControl::Dpi() const
{
    const TForm* form = ParentForm();
    return form && form != static_cast<const TControl*>(this) ? form->Dpi() : kDesignDpi;
}

int TControl::Scaled(int value) const
{
    return ScaleToDpi(value, Dpi());
}

void TControl::RecordDesignSize()
{
    if (!design_)
        design_ = DesignSize{{left_, top_, width_, height_}, font_->Height()};
}

void TControl::ChangeScale(int dpi)
{
    RecordDesignSize();
    const RECT& b = design_->bounds;
    // Position and size each scaled alone: every 1-pixel line and border,
    // and every control of one size, stay alike at any scale.
    SetBounds(ScaleToDpi(b.left, dpi), ScaleToDpi(b.top, dpi), ScaleToDpi(b.right, dpi),
              ScaleToDpi(b.bottom, dpi));
    if (!parentFont_)
        font_->SetHeight(ScaleToDpi(design_->fontHeight, dpi));
}

void TControl::SetVisible(bool visible)
{
    if (visible_ == visible)
        return;
    if (!visible)
        InvalidateInParent(BoundsRect());
    visible_ = visible;
    InvalidateInParent(BoundsRect());
    Perform(CM_VISIBLECHANGED, visible);
    RequestAlign();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled_ != enabled) {
        enabled_ = enabled;
        Perform(CM_ENABLEDCHANGED);
    }
}

void TControl::SetCaption(const std::string& text)
{
    if (text_ != text) {
        text_ = text;
        Perform(CM_TEXTCHANGED);
    }
}

void TControl::SetParentFont(bool parentFont)
{
    if (parentFont_ != parentFont) {
        parentFont_ = parentFont;
        if (parentFont)
            TakeParentFont();
    }
}

void TControl::TakeParentFont()
{
    if (!parent_ || !parentFont_)
        return;
    font_->Assign(parent_->Font());
    parentFont_ = true; // Assign's change notice cleared it
}

void TControl::SetColor(TColor color)
{
    if (color_ != color || parentColor_) {
        color_ = color;
        parentColor_ = false;
        Perform(CM_COLORCHANGED);
    }
}

void TControl::SetParentColor(bool parentColor)
{
    if (parentColor_ != parentColor) {
        parentColor_ = parentColor;
        if (parentColor)
            Perform(CM_PARENTCOLORCHANGED);
    }
}

void TControl::TakeParentColor()
{
    if (parent_ && parentColor_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        Invalidate();
    }
}

void TControl::SetShowHint(bool showHint)
{
    showHint_ = showHint;
    parentShowHint_ = false;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        // The parent hears of it first, so the outermost control reacts first.
        if (parent_)
            parent_->Perform(message.Msg, message.WParam, message.LParam);
        break;
    case CM_PARENTCOLORCHANGED:
        TakeParentColor();
        break;
    case CM_PARENTFONTCHANGED:
        TakeParentFont();
        break;
    case CM_PARENTSHOWHINTCHANGED:
        if (parentShowHint_ && parent_)
            showHint_ = parent_->ShowHint();
        break;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
        if (!windowed_)
            Invalidate();
        DefaultHandler(message);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        HandleMouseMessage(message);
        break;
    default:
        DefaultHandler(message);
        break;
    }
}

void TControl::HandleMouseMessage(TMessage& message)
{
    const int x = static_cast<short>(LOWORD(message.LParam));
    const int y = static_cast<short>(HIWORD(message.LParam));
    const TShiftState shift = MouseShiftState(message.WParam);
    switch (message.Msg) {
    case WM_LBUTTONDBLCLK:
        if (controlStyle_ & TControlStyleFlag::DoubleClicks)
            DblClick();
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        if (controlStyle_ & TControlStyleFlag::ClickEvents)
            mouseClicked_ = true;
        MouseDown(TMouseButton::Left, shift, x, y);
        break;
    case WM_LBUTTONUP: {
        // A click is a left release inside the control after a left press on it.
        const bool clicked = mouseClicked_;
        mouseClicked_ = false;
        const RECT client = ClientRect();
        // The release completes even when the click's handler fails, so the
        // control is not left held down; the failure then goes on its way.
        std::exception_ptr clickFailure;
        if (clicked && x >= client.left && x < client.right && y >= client.top && y < client.bottom) {
            try {
                Click();
            } catch (...) {
                clickFailure = std::current_exception();
            }
        }
        MouseUp(TMouseButton::Left, shift, x, y);
        if (clickFailure)
            std::rethrow_exception(clickFailure);
        break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        MouseDown(TMouseButton::Right, shift, x, y);
        break;
    case WM_RBUTTONUP:
        MouseUp(TMouseButton::Right, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        MouseDown(TMouseButton::Middle, shift, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(TMouseButton::Middle, shift, x, y);
        break;
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    }
}

void TControl::Invalidate()
{
    InvalidateInParent(BoundsRect());
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner)
{
}

void TGraphicControl::PaintControl(HDC dc)
{
    const TCanvasLease lease(canvas_, dc);
    canvas_.Font().Assign(Font());
    Paint();
}

TShiftState KeyboardShiftState()
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= TShiftFlag::Shift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= TShiftFlag::Ctrl;
    if (GetKeyState(VK_MENU) < 0)
        shift |= TShiftFlag::Alt;
    return shift;
}

TShiftState MouseShiftState(WPARAM keys)
{
    TShiftState shift = 0;
    if (keys & MK_SHIFT)
        shift |= TShiftFlag::Shift;
    if (keys & MK_CONTROL)
        shift |= TShiftFlag::Ctrl;
    if (keys & MK_LBUTTON)
        shift |= TShiftFlag::Left;
    if (keys & MK_RBUTTON)
        shift |= TShiftFlag::Right;
    if (keys & MK_MBUTTON)
        shift |= TShiftFlag::Middle;
    if (GetKeyState(VK_MENU) < 0)
        shift |= TShiftFlag::Alt;
    return shift;
}
