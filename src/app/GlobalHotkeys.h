#pragma once
// The program's global hotkeys on its main window: registered as the
// options say, each on its own, so one that another program holds leaves
// the others working.

#include "app/HotkeySettings.h"
#include "platform/Hotkeys.h"

#include <string>
#include <vector>

// The identifiers WM_HOTKEY brings back.
enum class THotkeyAction { Next = 1, Previous = 2, Pause = 3 };

class TGlobalHotkeys {
public:
    explicit TGlobalHotkeys(IHotkeys& hotkeys) : hotkeys_(hotkeys) {}
    ~TGlobalHotkeys() { Clear(); }
    TGlobalHotkeys(const TGlobalHotkeys&) = delete;
    TGlobalHotkeys& operator=(const TGlobalHotkeys&) = delete;

    // Drops the hotkeys held, then registers those `options` turn on for
    // `window`. Returns the texts of the combinations that were taken.
    std::vector<std::string> Apply(HWND window, const THotkeyOptions& options);
    void Clear();

private:
    IHotkeys& hotkeys_;
    HWND window_ = nullptr;
    std::vector<int> held_;
};

// The one message for combinations another program holds.
std::string HotkeysTakenText(const std::vector<std::string>& taken);
