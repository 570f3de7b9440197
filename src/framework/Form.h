#pragma once
// A top-level window holding controls: border style, placement, the active
// (focused) control and the keyboard handling forms give their controls.

#include "framework/WinControl.h"

#include <optional>

enum class TFormBorderStyle : uint8_t { None, Single, Sizeable, Dialog, ToolWindow };
enum class TPosition : uint8_t {
    Designed,
    Default,
    ScreenCenter,
    DesktopCenter,
    MainFormCenter,
    OwnerFormCenter
};
enum class TCloseAction : uint8_t { None, Hide, Free, Minimize };

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    // Where the form goes when first shown. Changing it rebuilds the window.
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position);
    // Sets the size of the client area (the window grows by its frame),
    // in 96-DPI units like every size of a layout: at another DPI the
    // client area is that size scaled.
    void SetClientSize(int width, int height);
    // The DPI the form is laid out at: 96 until its window is made, then its
    // monitor's; a move to a monitor of another DPI lays it out again.
    int Dpi() const override { return dpi_; }
    // Lays the form and every control on it out at `dpi` from the sizes they
    // were made with at 96 DPI (fonts, bounds, client size), at this one
    // place, then tells each control (DpiChanged), parents first, and the
    // form last.
    void SetDpi(int dpi);
    int ClientWidth() const;
    int ClientHeight() const;

    void Show();
    void Hide();
    void Close();
    void SetVisible(bool visible) override;

    TWinControl* ActiveControl() const { return activeControl_; }
    // Called when a control of the form receives the focus: records it and
    // tells every control of the form (CM_FOCUSCHANGED).
    void SetFocusedControl(TWinControl* control);
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(bool forward);
    // Moves the focus on from a control that can no longer hold it (it was
    // disabled or hidden): to the next tab stop after it, as the dialog
    // manager does, or to the form itself when there is none. Every control
    // hears of the change. While the form is not the active window only the
    // active control changes; activation then focuses it.
    void FocusNextAfter(TWinControl* leaving);

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }

    std::function<void(TObject* sender, TCloseAction& action)> OnClose;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Puts the window where Position says, once, before it is first shown.
    void PlaceWindow();
    // The window moved to a monitor of another DPI: laid out again at it, in
    // the rectangle Windows suggests.
    void WMDpiChanged(TMessage& message);

private:
    friend class TWinControl;
    // The first tab stop that can take the focus after (or before) `from`
    // in tab order, wrapping around, outside `excluded`; nullptr if none.
    TWinControl* FindNextControl(TWinControl* from, bool forward, const TWinControl* excluded);
    // A control leaves the form: it stops being the active control.
    void ControlRemoving(TControl* control);
    // Tab and Shift+Tab move the focus; other keys go to the controls.
    void CMDialogKey(TMessage& message);
    // Activated: the focus goes back to the active control.
    void WMActivate(bool active);
    void WMSysColorChange(TMessage& message);

private:
    TFormBorderStyle borderStyle_ = TFormBorderStyle::Sizeable;
    TPosition position_ = TPosition::Designed;
    TWinControl* activeControl_ = nullptr;
    TModalResult modalResult_ = 0;
    bool placed_ = false;
    int dpi_ = 96;
    SIZE designClient_{0, 0};
    std::optional<int> designFontHeight_;
    void ApplyClientSize();
};
