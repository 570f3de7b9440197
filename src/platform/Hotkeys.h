#pragma once
// Global hotkeys: a key combination that reaches a window as WM_HOTKEY
// whichever program has the focus. THotkeys is the real one; tests pass a
// fake that refuses a combination another program holds, as Windows does.

#include <windows.h>

class IHotkeys {
public:
    virtual ~IHotkeys() = default;
    // RegisterHotKey: false when the combination is taken (by Windows,
    // another program or a driver) or cannot be had.
    virtual bool Register(HWND window, int id, unsigned modifiers, unsigned key) = 0;
    virtual void Unregister(HWND window, int id) = 0;
};

class TWin32Hotkeys : public IHotkeys {
public:
    bool Register(HWND window, int id, unsigned modifiers, unsigned key) override;
    void Unregister(HWND window, int id) override;
};
