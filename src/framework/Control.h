#pragma once
// The control tree. TControl is any visual element with bounds inside a
// windowed parent; non-windowed controls (labels, shapes, images) are painted
// by their parent after its own paint. TWinControl (WinControl.h) adds the
// window.

#include "framework/Component.h"
#include "framework/Messages.h"
#include "framework/graphics/Canvas.h"

#include <memory>
#include <optional>
#include <string>

class TWinControl;
class TForm;

enum class TAlign : uint8_t { None, Top, Bottom, Left, Right, Client };

// What a control does for itself, as bits of a TControlStyle.
struct TControlStyleFlag {
    enum : uint32_t {
        AcceptsControls = 1 << 0,
        CaptureMouse = 1 << 1,
        ClickEvents = 1 << 2,
        DoubleClicks = 1 << 3,
        Opaque = 1 << 4,
        Replicatable = 1 << 5,
    };
};
using TControlStyle = uint32_t;

using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crHourGlass = -11;
// The arrow with a small hourglass: work runs in the background and the
// program still takes input.
inline constexpr TCursor crAppStart = -19;

using TModalResult = int;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // --- Geometry, relative to the parent's client area ---
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const { return {0, 0, width_, height_}; }
    POINT ClientToScreen(POINT point) const;
    POINT ScreenToClient(POINT point) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    // The form this control sits on, or nullptr.
    TForm* ParentForm() const;

    // --- Scale ---
    // The DPI the control is laid out and drawn at: its form's, 96 (the
    // DPI its sizes are written for) without one.
    virtual int Dpi() const;
    // A size written for 96 DPI, at the control's DPI (1 stays 1 at 96,
    // becomes 2 at 192): pens, gaps and glyph sizes of the paint code.
    int Scaled(int value) const;
    // Records the control's bounds and font as its 96-DPI design, once: the
    // form records every control's before it changes any.
    void RecordDesignSize();
    // Takes the control to `dpi`: its bounds and its own font are its
    // 96-DPI ones scaled. The form calls it for each of its controls,
    // parents first, then DpiChanged for each.
    void ChangeScale(int dpi);
    // After a change of DPI: what a control keeps in pixels besides its
    // bounds and font (a list's row height, a label's own size).
    virtual void DpiChanged() {}

    // --- Appearance and state ---
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    const std::string& Caption() const { return text_; }
    virtual void SetCaption(const std::string& text);
    TFont& Font() { return *font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint);
    bool ParentShowHint() const { return parentShowHint_; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }
    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
    bool IsWindowed() const { return windowed_; }

    // --- Messages ---
    // Delivers a message to the control: a window message for windowed
    // controls, a direct call for the others.
    virtual LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The control's message handling; descendants override, call the base
    // first or last as their order requires.
    virtual void WndProc(TMessage& message);
    // What happens to a message nobody handles: the platform's default for
    // windowed controls, nothing for the others.
    virtual void DefaultHandler(TMessage& message) {}

    // Schedules a repaint of the control's area.
    virtual void Invalidate();

    // --- Events ---
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnResize;

    // Performs a click: fires OnClick.
    virtual void Click();

    // Used by the parent: paints a non-windowed control onto the parent's DC,
    // already offset so (0, 0) is the control's top-left corner.
    virtual void PaintControl(HDC dc) {}

protected:
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Resize();
    // Realigns the parent's children after a change that moves this one.
    void RequestAlign();
    // Copies the parent's font/colour when the Parent... flags say so.
    void TakeParentFont();
    void TakeParentColor();
    // Shared handling of mouse button and move messages.
    void HandleMouseMessage(TMessage& message);
    // A non-windowed control's bounds changed: repaint the old and new areas.
    void InvalidateInParent(const RECT& area);

    bool mouseClicked_ = false; // a left press on the control awaits its release

private:
    friend class TWinControl;
    friend class TForm;

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = TAlign::None;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    // The bounds and font height the control was made with, at 96 DPI;
    // recorded at its first change of DPI, so every later one starts
    // from them and no rounding adds up.
    struct DesignSize {
        RECT bounds;
        int fontHeight;
    };
    std::optional<DesignSize> design_;
    TControlStyle controlStyle_ =
        TControlStyleFlag::CaptureMouse | TControlStyleFlag::ClickEvents | TControlStyleFlag::DoubleClicks;

protected:
    bool windowed_ = false;
};

// A non-windowed control with a canvas lent to it while it paints.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    void PaintControl(HDC dc) override;

protected:
    virtual void Paint() = 0;
    TCanvas& Canvas() { return canvas_; }

private:
    TCanvas canvas_;
};
