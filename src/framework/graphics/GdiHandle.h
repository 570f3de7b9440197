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

}  // namespace gdi
