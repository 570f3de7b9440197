#pragma once
// An allocator whose value-initialisation leaves the element as it is: a
// std::vector of bytes resized with it does not first write zeros into
// memory that is about to be filled anyway (a decoded photograph is
// hundreds of megabytes, and zeroing them costs as much as a pass over the
// picture). Elements constructed with a value are constructed as usual.

#include <memory>
#include <new>
#include <utility>

template <class T>
class TUninitializedAllocator : public std::allocator<T> {
public:
    using value_type = T;

    template <class U>
    struct rebind {
        using other = TUninitializedAllocator<U>;
    };

    TUninitializedAllocator() = default;
    template <class U>
    TUninitializedAllocator(const TUninitializedAllocator<U>&) noexcept
    {
    }

    template <class U>
    void construct(U* place) noexcept
    {
        ::new (static_cast<void*>(place)) U;
    }
    template <class U, class... Args>
    void construct(U* place, Args&&... args)
    {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};
