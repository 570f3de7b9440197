#pragma once
// The program's global hotkeys on its main window: registered as the
// options say, each on its own, so one that another program holds leaves
// the others working. A combination the options give two actions (set in
// the registry by hand; the options box refuses it) goes to the first of
// them only, and is told as ours, not as another program's.

#include "app/HotkeySettings.h"
#include "platform/Hotkeys.h"

#include <optional>
#include <string>
#include <vector>

// The identifiers WM_HOTKEY brings back.
enum class THotkeyAction { Next = 1, Previous = 2, Pause = 3 };

// What kept combinations from working.
struct THotkeyProblems {
    // Held by another program (or Windows): the texts of the combinations.
    std::vector<std::string> Taken;
    // One combination for two of our own actions.
    std::optional<std::string> SameTwice;
    bool Any() const { return !Taken.empty() || SameTwice; }
};

class TGlobalHotkeys {
public:
    explicit TGlobalHotkeys(IHotkeys& hotkeys) : hotkeys_(hotkeys) {}
    ~TGlobalHotkeys() { Clear(); }
    TGlobalHotkeys(const TGlobalHotkeys&) = delete;
    TGlobalHotkeys& operator=(const TGlobalHotkeys&) = delete;

    // Drops the hotkeys held, then registers those `options` turn on for
    // `window`. Returns what kept any from working.
    THotkeyProblems Apply(HWND window, const THotkeyOptions& options);
    void Clear();

private:
    IHotkeys& hotkeys_;
    HWND window_ = nullptr;
    std::vector<int> held_;
};

// The one message for combinations another program holds.
std::string HotkeysTakenText(const std::vector<std::string>& taken);
// The one message for all the problems: those taken, then ours twice.
std::string HotkeyProblemsText(const THotkeyProblems& problems);
