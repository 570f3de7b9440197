#pragma once
// A piece of work on a thread of its own, whose end is told to a window by
// a posted message, so the window's thread never waits for it.
//
// The owner keeps the object while the work runs and destroys it on the
// window's thread: the destructor waits for the thread to end (taking the
// messages the work sends to that thread's windows meanwhile), and after it
// nothing is posted any more, so a window that is gone never gets the
// message. Work that may take long must watch a stop request of its own,
// set by the owner before the object is destroyed.

#include <windows.h>

#include <exception>
#include <functional>

class TWorkerThread {
public:
    // Starts `work` at once; when it ends, posts `doneMessage` with `tag`
    // as wParam to `window`.
    TWorkerThread(std::function<void()> work, HWND window, UINT doneMessage, WPARAM tag);
    ~TWorkerThread();
    TWorkerThread(const TWorkerThread&) = delete;
    TWorkerThread& operator=(const TWorkerThread&) = delete;

    // Waits for the thread to end, then raises here what the work raised
    // there. After it, whatever the work wrote can be read on this thread.
    void Finish();

    // For an owner that cannot wait for ever: no message is posted from
    // now on, and the thread is waited for at most `milliseconds`. False
    // when it still runs: the object must then outlive it (it is left to
    // the process's end).
    bool EndsWithin(DWORD milliseconds);

private:
    static DWORD WINAPI Entry(void* self);
    void Run();
    void StopPosting();
    // Waits for the thread, taking the messages sent meanwhile; true once
    // it ended, false after `milliseconds`.
    bool Join(DWORD milliseconds = INFINITE);

    std::function<void()> work_;
    HWND window_;
    UINT doneMessage_;
    WPARAM tag_;
    std::exception_ptr error_;
    // The thread is the system's own (not std::thread, whose runtime would
    // bring ANSI calls into the program); the lock is a slim reader/writer
    // lock, which needs no release.
    SRWLOCK postGuard_ = SRWLOCK_INIT;
    bool mayPost_ = true;
    HANDLE thread_ = nullptr;
};
