#include "platform/WorkerThread.h"

TWorkerThread::TWorkerThread(std::function<void()> work, HWND window, UINT doneMessage, WPARAM tag)
    : work_(std::move(work)), window_(window), doneMessage_(doneMessage), tag_(tag),
      thread_([this] { Run(); })
{
}

TWorkerThread::~TWorkerThread()
{
    {
        // The window may be going away: no message for it from now on.
        const std::lock_guard<std::mutex> lock(postGuard_);
        mayPost_ = false;
    }
    Join();
}

void TWorkerThread::Run()
{
    // Nothing may leave a thread's function: an error waits for Finish.
    try {
        work_();
    } catch (...) {
        error_ = std::current_exception();
    }
    const std::lock_guard<std::mutex> lock(postGuard_);
    if (mayPost_)
        PostMessageW(window_, doneMessage_, tag_, 0);
}

void TWorkerThread::Join()
{
    if (thread_.joinable())
        thread_.join();
}

void TWorkerThread::Finish()
{
    Join();
    if (error_)
        std::rethrow_exception(std::exchange(error_, nullptr));
}
