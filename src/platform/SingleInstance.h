#pragma once
// One running copy per user session: a named mutex in the session's own
// namespace, taken before any window is made. A later start finds the
// running copy's main window by its window class and hands over to it.

#include <windows.h>

#include <cstdint>
#include <functional>
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

// What became of a hand-over to the running copy.
enum class THandOverResult {
    // The running copy took the request.
    Delivered,
    // The lock is held, but no window of the program appeared: another
    // process holds it, or a copy stuck before making its window.
    NoWindow,
    // The system kept the message from the running copy's window: that copy
    // runs with higher rights (as administrator) than this start.
    Refused,
    // The window is there but did not answer in time: the copy hangs.
    NotAnswering,
};

// How long a hand-over waits, in milliseconds.
struct THandOverWaits {
    // For the running copy's window: a copy started a moment before this
    // one may not have made it yet (on a loaded machine that takes several
    // seconds; a lock held with no window at all is told after this).
    unsigned WindowMs = 12000;
    // For a window that is there to answer: a copy still starting answers
    // once its message loop runs, which at logon may take a while.
    unsigned AnswerMs = 20000;
    // One try; a window that takes longer is asked again, and one the
    // system knows to be hung is not waited for at all.
    unsigned TryMs = 2000;
};

// Sends `message` to `window`, waiting at most `timeoutMs` for the answer
// (not at all when the window is hung). Returns 0 when it was answered, else
// the system's reason: ERROR_TIMEOUT for no answer, ERROR_ACCESS_DENIED when
// the system dropped the message because the window's process runs with
// higher rights.
using TMessageSender = std::function<DWORD(HWND window, UINT message, LPARAM lParam, unsigned timeoutMs)>;
DWORD SendAnsweredWithin(HWND window, UINT message, LPARAM lParam, unsigned timeoutMs);

// Hands this start over to the running copy whose main window has the class
// `windowClass`: lets it take the foreground and asks it to show its window,
// or, when `commands` holds a command message, sends it as WM_COPYDATA
// tagged `commandTag`. Refused at once when the system keeps the message
// from that window; otherwise asked again until `waits` end.
THandOverResult HandOverToRunningCopy(const std::string& windowClass, const THandOverWaits& waits,
                                      const std::vector<uint8_t>& commands = {}, uint32_t commandTag = 0,
                                      const TMessageSender& send = SendAnsweredWithin);
