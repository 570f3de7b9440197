#pragma once
// What every flat, custom-painted control shares: TStyledControl, the base
// with hot, pressed and focused tracking and its overridable reactions;
// TThemedControl, a styled control with its own theme (TStyleSettings) or
// the theme of a TStyleManager that sets one for a group of controls.

#include "framework/CustomControl.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TTheme : uint8_t { WindowsXP, OfficeXP };

// Whether the pointer is over a control, a mouse button or Space holds it
// down, and whether it has the keyboard focus, as bits of a TVisualState.
struct TVisualStateFlag {
    enum : uint8_t { Hot = 1, Pressed = 2, Focused = 4 };
};
using TVisualState = uint8_t;

// The reactions after which a control repaints itself (bit 0 first), as bits
// of a TRedrawTriggers.
struct TRedrawTrigger {
    enum : uint16_t {
        TextChanged = 1 << 0,
        BorderChanged = 1 << 1,
        EnabledChanged = 1 << 2,
        FocusChanged = 1 << 3,
        MouseDown = 1 << 4,
        MouseEnter = 1 << 5,
        MouseLeave = 1 << 6,
        MouseMove = 1 << 7,
        MouseUp = 1 << 8,
        ParentColorChanged = 1 << 9,
        ParentFontChanged = 1 << 10,
        PositionChanged = 1 << 11,
        Resized = 1 << 12,
    };
};
using TRedrawTriggers = uint16_t;
inline constexpr TRedrawTriggers kDefaultRedrawTriggers =
    TRedrawTrigger::TextChanged | TRedrawTrigger::EnabledChanged | TRedrawTrigger::FocusChanged |
    TRedrawTrigger::MouseDown | TRedrawTrigger::MouseEnter | TRedrawTrigger::MouseLeave |
    TRedrawTrigger::MouseUp | TRedrawTrigger::ParentColorChanged; // 0x037D

// The library's version banners: each names the library and ends in
// "Version " and the version number from the string resource.
std::string StyledComponentBanner();
std::string StyledControlBanner();

// Base of the library's non-visual components.
class TStyledComponent : public TComponent {
public:
    explicit TStyledComponent(TComponent* owner);
    const std::string& Version() const { return version_; }
    void SetVersion(const std::string&) {} // the banner cannot be changed

private:
    std::string version_;
};

// Base of every styled control.
class TStyledControl : public TCustomControl {
public:
    explicit TStyledControl(TComponent* owner);

    bool LeftButtonDown = false;
    TVisualState VisualState = 0;
    bool RedrawLocked = false;
    bool ActiveControlIsStyled = false;
    TModalResult ModalResult = 0;
    TRedrawTriggers RedrawTriggers = kDefaultRedrawTriggers;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnMouseEnter;

    const std::string& Version() const { return version_; }
    void SetVersion(const std::string&) {} // the banner cannot be changed

    // --- The overridable reactions ---
    virtual void Redraw();
    virtual void DoBorderChanged();
    virtual void DoEnabledChanged();
    virtual void DoFocusChanged();
    virtual void DoMousePressed();
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();
    virtual void DoMouseMove(int x, int y);
    virtual void DoMouseReleased();
    virtual void DoParentColorChanged();
    virtual void DoParentFontChanged();
    virtual void DoPositionChanged();
    virtual void DoResized();
    virtual void DoTextChanged();
    virtual void LockRedraw();
    virtual void UnlockRedraw();

    void WndProc(TMessage& message) override;
    // Copies ModalResult to the parent form, then fires OnClick.
    void Click() override;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void RedrawIf(TRedrawTriggers trigger)
    {
        if (RedrawTriggers & trigger)
            Redraw();
    }
    // Schedules a repaint unless redrawing is locked.
    void InvalidateUnlessLocked()
    {
        if (!RedrawLocked)
            Invalidate();
    }

private:
    std::string version_;
};

class TThemedControl;

// A control's own theme and whether it follows its style manager.
class TStyleSettings : public TPersistent {
public:
    explicit TStyleSettings(TThemedControl* ownerControl) : OwnerControl(ownerControl) {}

    TTheme Theme() const { return theme_; }
    virtual void SetTheme(TTheme theme);
    bool UseStyleManager() const { return useStyleManager_; }
    virtual void SetUseStyleManager(bool use);
    // The manager's theme when the control follows one, else the own theme.
    TTheme EffectiveTheme() const;

    TThemedControl* const OwnerControl;

private:
    TTheme theme_ = TTheme::WindowsXP;
    bool useStyleManager_ = true;
};

// Sets one theme for the controls registered with it.
class TStyleManager : public TStyledComponent {
public:
    explicit TStyleManager(TComponent* owner);
    ~TStyleManager() override;

    void RegisterControls(const std::vector<TStyledControl*>& controls);
    void UnregisterControls(const std::vector<TStyledControl*>& controls);
    void RedrawControls();
    const std::vector<TStyledControl*>& RegisteredControls() const { return registered_; }

    TTheme Theme() const { return theme_; }
    virtual void SetTheme(TTheme theme);
    TNotifyEvent OnThemeChanged;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TStyledControl*> registered_;
    TTheme theme_ = TTheme::WindowsXP;
};

// A styled control with a theme of its own and an optional style manager.
class TThemedControl : public TStyledControl {
public:
    explicit TThemedControl(TComponent* owner);
    ~TThemedControl() override;

    TStyleSettings& Style() { return style_; }
    const TStyleSettings& Style() const { return style_; }
    TStyleManager* StyleManager() const { return styleManager_; }
    virtual void SetStyleManager(TStyleManager* manager);

protected:
    // Any style manager that goes clears the link: the framework tells the
    // components of the same owner, and a manager of another owner tells the
    // controls linked to it (they asked for that when linking).
    void Notification(TComponent* component, TOperation operation) override;

private:
    TStyleSettings style_;
    TStyleManager* styleManager_ = nullptr;
};

// True when `ch` is the accelerator of `caption` (the letter after "&").
bool IsAccelerator(wchar_t ch, const std::string& caption);
