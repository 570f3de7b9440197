#pragma once
// One running copy per user session: a named mutex in the session's own
// namespace, taken before any window is made. A later start finds the
// running copy's main window by its window class and hands over to it.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The mutex's name; "Local\" keeps it to this session, so another user
// logged on at the same time runs a copy of their own.
inline constexpr const char* SingleInstanceMutexName = "Local\\Tessivo.SingleInstance";

class TSingleInstance {
public:
    // Creates or opens the mutex `name`. Where it cannot be made at all, the
    // program runs as the first copy: a second one is better than none.
    explicit TSingleInstance(const std::string& name);
    ~TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    // False when another copy made the mutex first.
    bool First() const { return first_; }

private:
    HANDLE mutex_ = nullptr;
    bool first_ = true;
};

// The message a later start posts to the running copy's main window: show
// yourself and come to the front.
UINT ShowRunningCopyMessage();

// Hands this start over to the running copy whose main window has the class
// `windowClass`: lets it take the foreground and asks it to show its window,
// or, when `commands` holds a command message, sends it as WM_COPYDATA
// tagged `commandTag`.
// The running copy may have been started a moment ago and not have made its
// window or reached its message loop yet: it is waited for up to `waitMs`.
// Returns whether it took the request.
bool HandOverToRunningCopy(const std::string& windowClass, unsigned waitMs,
                           const std::vector<uint8_t>& commands = {}, uint32_t commandTag = 0);
