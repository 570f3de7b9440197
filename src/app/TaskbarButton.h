#pragma once
// The program's taskbar button: a window of no size, captioned with the
// application title, that owns the main window. An owned window has no
// button of its own, so the taskbar shows the title "Tessivo" rather than the
// main window's caption, and the button can go while the program is in the
// tray. Taskbar commands on the button (activate, close) are passed on to
// the main window.

#include <windows.h>

#include <functional>
#include <string>

class TTaskbarButton {
public:
    // `mainWindow` answers the main window's current handle (the window may
    // be rebuilt).
    TTaskbarButton(const std::string& title, std::function<HWND()> mainWindow);
    ~TTaskbarButton();
    TTaskbarButton(const TTaskbarButton&) = delete;
    TTaskbarButton& operator=(const TTaskbarButton&) = delete;

    HWND Handle() const { return window_; }
    // Shows the button with the main window, hides it with the window.
    void SetShown(bool shown);

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    std::function<HWND()> mainWindow_;
    HWND window_ = nullptr;
};
