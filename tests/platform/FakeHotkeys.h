#pragma once
// Global hotkeys for tests: records what is held, and refuses a combination
// listed as taken (by another program) or already held under another
// identifier, as RegisterHotKey does on Windows.

#include "platform/Hotkeys.h"

#include <map>
#include <set>
#include <utility>

class TFakeHotkeys : public IHotkeys {
public:
    bool Register(HWND, int id, unsigned modifiers, unsigned key) override
    {
        if (Taken.count({modifiers, key}) || Held.count(id))
            return false;
        for (const auto& held : Held)
            if (held.second == std::pair<unsigned, unsigned>{modifiers, key})
                return false;
        Held[id] = {modifiers, key};
        return true;
    }
    void Unregister(HWND, int id) override { Held.erase(id); }

    std::set<std::pair<unsigned, unsigned>> Taken;
    std::map<int, std::pair<unsigned, unsigned>> Held;
};
