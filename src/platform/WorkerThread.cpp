#include "platform/WorkerThread.h"

#include "core/Exceptions.h"
#include "platform/ExclusiveLock.h"

#include <string>
#include <utility>

TWorkerThread::TWorkerThread(std::function<void()> work, HWND window, UINT doneMessage, WPARAM tag)
    : work_(std::move(work)), window_(window), doneMessage_(doneMessage), tag_(tag)
{
    // Started last, once everything the thread reads is made.
    thread_ = CreateThread(nullptr, 0, &TWorkerThread::Entry, this, 0, nullptr);
    if (!thread_)
        throw EOutOfResources("Cannot start a thread (error " + std::to_string(GetLastError()) + ")");
}

TWorkerThread::~TWorkerThread()
{
    StopPosting();
    Join();
}

void TWorkerThread::StopPosting()
{
    // The window may be going away: no message for it from now on.
    const TExclusiveLock lock(postGuard_);
    mayPost_ = false;
}

bool TWorkerThread::EndsWithin(DWORD milliseconds)
{
    StopPosting();
    return Join(milliseconds);
}

DWORD WINAPI TWorkerThread::Entry(void* self)
{
    static_cast<TWorkerThread*>(self)->Run();
    return 0;
}

void TWorkerThread::Run()
{
    // Nothing may leave a thread's function: an error waits for Finish.
    try {
        work_();
    } catch (...) {
        error_ = std::current_exception();
    }
    const TExclusiveLock lock(postGuard_);
    if (mayPost_)
        PostMessageW(window_, doneMessage_, tag_, 0);
}

bool TWorkerThread::Join(DWORD milliseconds)
{
    if (!thread_)
        return true;
    // The work may be sending to a window of this thread: the wallpaper
    // call tells every window of the desktop and waits for each to take it.
    // Messages sent to this thread are taken while it waits (posted ones
    // stay queued), or each thread would wait for the other for ever.
    const ULONGLONG until = GetTickCount64() + milliseconds;
    DWORD waited = WAIT_OBJECT_0 + 1;
    while (waited == WAIT_OBJECT_0 + 1) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left =
            milliseconds == INFINITE ? INFINITE : static_cast<DWORD>(until > now ? until - now : 0);
        waited = MsgWaitForMultipleObjects(1, &thread_, FALSE, left, QS_SENDMESSAGE);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    if (waited == WAIT_TIMEOUT)
        return false;
    if (waited != WAIT_OBJECT_0)
        WaitForSingleObject(thread_, INFINITE);
    CloseHandle(std::exchange(thread_, nullptr));
    return true;
}

void TWorkerThread::Finish()
{
    Join();
    if (error_)
        std::rethrow_exception(std::exchange(error_, nullptr));
}
