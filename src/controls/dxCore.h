#pragma once
// The styled controls' shared foundation: the control base with hot, pressed
// and focused tracking and its overridable reactions, the per-control style,
// and the style manager that can set one theme for a group of controls.

#include "framework/CustomControl.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TdxTheme : uint8_t { WindowsXP, OfficeXP };

enum TdxBoundLine : uint8_t { blLeft = 1, blTop = 2, blRight = 4, blBottom = 8 };
using TdxBoundLines = uint8_t;

enum TdxVisualStateFlag : uint8_t { vsHot = 1, vsPressed = 2, vsFocused = 4 };
using TdxVisualState = uint8_t;

// The reactions after which a control repaints itself (bit 0 first).
enum TdxRedrawTrigger : uint16_t {
    rtTextChanged = 1 << 0,
    rtBorderChanged = 1 << 1,
    rtEnabledChanged = 1 << 2,
    rtFocusChanged = 1 << 3,
    rtMouseDown = 1 << 4,
    rtMouseEnter = 1 << 5,
    rtMouseLeave = 1 << 6,
    rtMouseMove = 1 << 7,
    rtMouseUp = 1 << 8,
    rtParentColorChanged = 1 << 9,
    rtParentFontChanged = 1 << 10,
    rtPositionChanged = 1 << 11,
    rtResized = 1 << 12,
};
using TdxRedrawTriggers = uint16_t;
inline constexpr TdxRedrawTriggers kDefaultRedrawTriggers =
    rtTextChanged | rtEnabledChanged | rtFocusChanged | rtMouseDown | rtMouseEnter | rtMouseLeave |
    rtMouseUp | rtParentColorChanged; // 0x037D

// The library's version banners: each names the library and ends in
// "Version " and the version number from the string resource.
std::string dxComponentBanner();
std::string dxControlBanner();

// Base of the library's non-visual components.
class TdxCustomComponent : public TComponent {
public:
    explicit TdxCustomComponent(TComponent* owner);
    const std::string& Version() const { return version_; }
    void SetVersion(const std::string&) {} // the banner cannot be changed

private:
    std::string version_;
};

// Base of every styled control.
class TdxCustomControl : public TCustomControl {
public:
    explicit TdxCustomControl(TComponent* owner);

    bool LeftButtonDown = false;
    TdxVisualState VisualState = 0;
    bool RedrawLocked = false;
    bool ActiveControlIsStyled = false;
    TModalResult ModalResult = 0;
    TdxRedrawTriggers RedrawTriggers = kDefaultRedrawTriggers;
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
    void RedrawIf(TdxRedrawTrigger trigger)
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

class TdxCustomStyleControl;

// A control's own theme and whether it follows its style manager.
class TdxStyle : public TPersistent {
public:
    explicit TdxStyle(TdxCustomStyleControl* ownerControl) : OwnerControl(ownerControl) {}

    TdxTheme Theme() const { return theme_; }
    virtual void SetTheme(TdxTheme theme);
    bool UseStyleManager() const { return useStyleManager_; }
    virtual void SetUseStyleManager(bool use);
    // The manager's theme when the control follows one, else the own theme.
    TdxTheme EffectiveTheme() const;

    TdxCustomStyleControl* const OwnerControl;

private:
    TdxTheme theme_ = TdxTheme::WindowsXP;
    bool useStyleManager_ = true;
};

// Sets one theme for the controls registered with it.
class TdxStyleManager : public TdxCustomComponent {
public:
    explicit TdxStyleManager(TComponent* owner);
    ~TdxStyleManager() override;

    void RegisterControls(const std::vector<TdxCustomControl*>& controls);
    void UnregisterControls(const std::vector<TdxCustomControl*>& controls);
    void RedrawControls();
    const std::vector<TdxCustomControl*>& RegisteredControls() const { return registered_; }

    TdxTheme Theme() const { return theme_; }
    virtual void SetTheme(TdxTheme theme);
    TNotifyEvent OnThemeChanged;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TdxCustomControl*> registered_;
    TdxTheme theme_ = TdxTheme::WindowsXP;
};

// A styled control with a style and an optional style manager.
class TdxCustomStyleControl : public TdxCustomControl {
public:
    explicit TdxCustomStyleControl(TComponent* owner);
    ~TdxCustomStyleControl() override;

    TdxStyle& Style() { return style_; }
    const TdxStyle& Style() const { return style_; }
    TdxStyleManager* StyleManager() const { return styleManager_; }
    virtual void SetStyleManager(TdxStyleManager* manager);

protected:
    // Any style manager that goes clears the link: the framework tells the
    // components of the same owner, and a manager of another owner tells the
    // controls linked to it (they asked for that when linking).
    void Notification(TComponent* component, TOperation operation) override;

private:
    TdxStyle style_;
    TdxStyleManager* styleManager_ = nullptr;
};

// True when `ch` is the accelerator of `caption` (the letter after "&").
bool IsAccelerator(wchar_t ch, const std::string& caption);
