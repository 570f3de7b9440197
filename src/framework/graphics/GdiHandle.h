#pragma once
// Owning wrappers for GDI handles. Every GDI object the program creates is
// held by one of these, so ownership is visible in the type and nothing leaks.
// Wine's GetGuiResources always answers 0, so the wrappers keep their own count
// of live objects; tests compare it before and after many paint cycles.

#include <windows.h>

#include <utility>

namespace gdi {

// Number of GDI objects currently owned by wrappers in this process.
long LiveObjectCount();
void CountCreated();
void CountDeleted();

// An owned HGDIOBJ of a given handle type (HPEN, HBRUSH, HFONT, HBITMAP, HRGN).
template <class Handle>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle)
    {
        if (handle_)
            CountCreated();
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    ~Owned() { Reset(); }

    void Reset(Handle handle = nullptr)
    {
        if (handle_) {
            DeleteObject(handle_);
            CountDeleted();
        }
        handle_ = handle;
        if (handle_)
            CountCreated();
    }
    // Gives up ownership, e.g. when a handle is handed to a caller that frees it.
    Handle Release()
    {
        if (handle_)
            CountDeleted();
        return std::exchange(handle_, nullptr);
    }
    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

using Pen = Owned<HPEN>;
using Brush = Owned<HBRUSH>;
using Font = Owned<HFONT>;
using Bitmap = Owned<HBITMAP>;
using Region = Owned<HRGN>;

// A memory device context compatible with the screen, deleted on scope exit.
class MemoryDC {
public:
    MemoryDC();
    explicit MemoryDC(HDC compatibleWith);
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC();
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Selects an object into a DC and restores the previous one on scope exit.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The screen DC, released on scope exit.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Saves a DC's state (objects, clipping, origins) and restores it on scope
// exit, so a painter may clip and move the origin freely.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;
    ~SavedDC() { RestoreDC(dc_, saved_); }

private:
    HDC dc_;
    int saved_;
};

// A window's paint cycle: BeginPaint now, EndPaint on scope exit. The area
// is validated even when painting fails, or every later paint would raise
// the same error again.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window_, &paint_); }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Double buffering: painting goes into a memory bitmap of the area's size,
// copied onto the target DC once by Flush. Without memory for the bitmap,
// Get is the target DC itself and painting goes there directly; either way
// the painter draws the same steps into Get().
class DoubleBuffer {
public:
    DoubleBuffer(HDC target, int width, int height);
    DoubleBuffer(const DoubleBuffer&) = delete;
    DoubleBuffer& operator=(const DoubleBuffer&) = delete;
    ~DoubleBuffer();
    HDC Get() const { return buffered() ? memory_.Get() : target_; }
    // Copies the buffer to the target; nothing to do when painting went there.
    void Flush();

private:
    bool buffered() const { return static_cast<bool>(bitmap_); }

    HDC target_;
    int width_;
    int height_;
    MemoryDC memory_;
    Bitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

} // namespace gdi
