#pragma once
// Hints: when the mouse rests on a control (windowed or not) whose ShowHint
// is on and whose Hint is not empty, a tooltip window shows the hint below
// the pointer. It goes when the mouse moves to another control, when a mouse
// button is pressed, or after HintHidePause. A hint that changes while shown
// is shown changed. A hint "short|long" shows its short part.
//
// The manager follows the application's control under the mouse
// (TApplication::OnMouseControlChanged); the program creates one at start:
// InstallHints(*Application).

#include "framework/Component.h"

#include <cstdint>
#include <memory>
#include <string>

class TApplication;
class TControl;
class TTimer;

class THintManager : public TComponent {
public:
    // Owned by the application, which frees it when it goes.
    explicit THintManager(TApplication& application);
    ~THintManager() override;

    // Milliseconds: rest before a hint shows; rest when moving on from a
    // control whose hint was just shown; time a hint stays.
    unsigned HintPause = 500;
    unsigned HintShortPause = 50;
    unsigned HintHidePause = 2500;

    // The tooltip window (nullptr until the first hint).
    HWND HintWindow() const { return tooltip_; }
    bool HintShowing() const { return showing_; }
    // Hides the hint now; it shows again only after the mouse enters
    // another control.
    void CancelHint();

private:
    void MouseControlChanged(TControl* control);
    void Tick();
    void Show();
    void Hide();
    void EnsureTooltip();
    void SetTooltipText(const std::string& text);
    // The control whose hint applies: the control itself or the nearest
    // parent with ShowHint on.
    static TControl* HintControl(TControl* control);
    static std::string ShortHint(const std::string& hint);

    TApplication& application_;
    std::function<void(TControl*)> previousHandler_;
    std::unique_ptr<TTimer> timer_;
    HWND tooltip_ = nullptr;
    TControl* candidate_ = nullptr; // the control under the mouse awaiting its hint
    uint32_t enteredAt_ = 0;
    uint32_t shownAt_ = 0;
    uint32_t hiddenAt_ = 0;
    unsigned pause_ = 0;
    bool showing_ = false;
    std::string shownText_;
};

// Creates the application's hint manager.
THintManager& InstallHints(TApplication& application);
