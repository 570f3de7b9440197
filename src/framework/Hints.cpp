#include "framework/Hints.h"

#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/Timer.h"
#include "framework/WinControl.h"
#include "platform/WideText.h"

#include <commctrl.h>

namespace {

// How often a waiting or shown hint looks at the clock, the mouse buttons
// and the hint text.
const unsigned kTickMs = 50;
const UINT_PTR kToolId = 1;
// Below the pointer, clear of the arrow cursor.
const int kBelowPointer = 20;

TTTOOLINFOW ToolInfo(HWND tooltip)
{
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = tooltip;
    tool.uId = kToolId;
    return tool;
}

bool MouseButtonDown()
{
    return (GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON) | GetAsyncKeyState(VK_MBUTTON)) &
           0x8000;
}

} // namespace

THintManager::THintManager(TApplication& application)
    : TComponent(&application), application_(application),
      previousHandler_(application.OnMouseControlChanged), timer_(std::make_unique<TTimer>(nullptr))
{
    timer_->SetEnabled(false);
    timer_->SetInterval(kTickMs);
    timer_->SetOnTimer([this](TObject*) { Tick(); });
    application_.OnMouseControlChanged = [this](TControl* control) {
        if (previousHandler_)
            previousHandler_(control);
        MouseControlChanged(control);
    };
}

THintManager::~THintManager()
{
    application_.OnMouseControlChanged = previousHandler_;
    timer_.reset();
    if (tooltip_)
        DestroyWindow(tooltip_);
}

THintManager& InstallHints(TApplication& application)
{
    return *new THintManager(application);
}

TControl* THintManager::HintControl(TControl* control)
{
    while (control && !control->ShowHint())
        control = control->Parent();
    return control;
}

std::string THintManager::ShortHint(const std::string& hint)
{
    return hint.substr(0, hint.find('|'));
}

void THintManager::MouseControlChanged(TControl* control)
{
    if (control == candidate_)
        return;
    const bool wasShowing = showing_;
    Hide();
    candidate_ = control;
    enteredAt_ = GetTickCount();
    // Moving straight on from a hint shows the next one almost at once.
    pause_ = wasShowing || enteredAt_ - hiddenAt_ < HintHidePause / 5 ? HintShortPause : HintPause;
    timer_->SetEnabled(candidate_ != nullptr);
}

void THintManager::CancelHint()
{
    Hide();
    candidate_ = nullptr;
    timer_->SetEnabled(false);
}

void THintManager::Tick()
{
    if (!candidate_) {
        timer_->SetEnabled(false);
        return;
    }
    const uint32_t now = GetTickCount();
    if (MouseButtonDown()) {
        // A click ends the hint; it waits for the next control.
        CancelHint();
        return;
    }
    if (!showing_) {
        if (now - enteredAt_ >= pause_)
            Show();
        return;
    }
    if (now - shownAt_ >= HintHidePause) {
        CancelHint();
        return;
    }
    TControl* control = HintControl(candidate_);
    const std::string text = control ? ShortHint(control->Hint()) : std::string();
    if (text.empty())
        Hide();
    else if (text != shownText_)
        SetTooltipText(text);
}

void THintManager::EnsureTooltip()
{
    if (tooltip_)
        return;
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_)
        return;
    TTTOOLINFOW tool = ToolInfo(tooltip_);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // Long hints break at blanks only when wider than the screen.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
}

void THintManager::SetTooltipText(const std::string& text)
{
    TTTOOLINFOW tool = ToolInfo(tooltip_);
    std::wstring wide = WideFromUtf8(text);
    tool.lpszText = wide.data(); // the tooltip copies it
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    shownText_ = text;
}

void THintManager::Show()
{
    TControl* control = HintControl(candidate_);
    const std::string text = control ? ShortHint(control->Hint()) : std::string();
    if (text.empty())
        return; // keep waiting: the hint may be given while the mouse rests
    EnsureTooltip();
    if (!tooltip_)
        return;
    SetTooltipText(text);
    POINT pointer;
    GetCursorPos(&pointer);
    SendMessageW(tooltip_, TTM_TRACKPOSITION, 0, MAKELPARAM(pointer.x, pointer.y + kBelowPointer));
    TTTOOLINFOW tool = ToolInfo(tooltip_);
    SendMessageW(tooltip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    showing_ = true;
    shownAt_ = GetTickCount();
}

void THintManager::Hide()
{
    if (!showing_)
        return;
    showing_ = false;
    hiddenAt_ = GetTickCount();
    shownText_.clear();
    if (tooltip_) {
        TTTOOLINFOW tool = ToolInfo(tooltip_);
        SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    }
}
