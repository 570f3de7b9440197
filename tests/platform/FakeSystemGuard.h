#pragma once
// The one lock of the platform fakes: a wallpaper change makes its desktop
// calls and registry writes on a worker thread while the test's thread may
// ask the same fakes (and their shared journal) for the next change.
//
// Portable: no Windows header.

#include <mutex>

inline std::recursive_mutex& FakeSystemGuard()
{
    static std::recursive_mutex guard;
    return guard;
}
