#pragma once
// COM as the program uses it: an owning pointer to an interface, the
// apartment a thread must be in while it uses COM objects, and the main
// thread's OLE apartment kept for the whole run.

#include <objbase.h>
#include <utility>

// Owns one reference to a COM interface and releases it when it goes.
template <class Interface>
class TComPtr {
public:
    TComPtr() = default;
    ~TComPtr() { Reset(); }
    TComPtr(TComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    TComPtr& operator=(TComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    // For a call that hands out a new reference; whatever was held goes first.
    Interface** Receive()
    {
        Reset();
        return &pointer_;
    }
    void Reset()
    {
        if (pointer_)
            std::exchange(pointer_, nullptr)->Release();
    }

private:
    Interface* pointer_ = nullptr;
};

// Puts the calling thread into a single-threaded apartment for the object's
// lifetime. A thread already in an apartment of either kind stays in it:
// COM objects created in process work in both. On the main thread, whose
// OLE apartment lasts the whole run, this costs a count and nothing more;
// a worker thread gets an apartment of its own for the time it needs one.
class TComApartment {
public:
    TComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~TComApartment()
    {
        if (initialized_)
            CoUninitialize();
    }
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;

private:
    bool initialized_;
};

// The calling thread's OLE apartment (single-threaded, with OLE's
// clipboard and drag and drop), from the first Enter until the object goes.
class TOleApartment {
public:
    TOleApartment() = default;
    ~TOleApartment();
    TOleApartment(const TOleApartment&) = delete;
    TOleApartment& operator=(const TOleApartment&) = delete;

    // Enters it; nothing when already in it.
    void Enter();
    bool Entered() const { return entered_; }

private:
    bool entered_ = false;
};
