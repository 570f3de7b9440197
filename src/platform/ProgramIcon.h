#pragma once
// The program's own icon, the executable's icon resource. The shared ones
// are kept by the system for the process's life, so nobody destroys them;
// one loaded at a size of the caller's choice is owned.

#include <windows.h>

#include <utility>

// At the system's large-icon size, for window classes.
HICON LoadProgramIcon();

// At the notification area's own size (the small-icon metric), not the large
// icon shrunk.
HICON LoadSmallProgramIcon();

// The small-icon size (notification area, caption) at `dpi`: 16 at 96,
// 24 at 144, 32 at 192.
int SmallIconSize(int dpi);

// The program's icon at one size, taken from the image of that size in the
// resource (not another one stretched); destroyed with the object.
class TSizedProgramIcon {
public:
    TSizedProgramIcon() = default;
    explicit TSizedProgramIcon(int size);
    ~TSizedProgramIcon();
    TSizedProgramIcon(TSizedProgramIcon&& other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)), size_(other.size_)
    {
    }
    TSizedProgramIcon& operator=(TSizedProgramIcon&& other) noexcept;
    TSizedProgramIcon(const TSizedProgramIcon&) = delete;
    TSizedProgramIcon& operator=(const TSizedProgramIcon&) = delete;

    HICON Handle() const { return handle_; }
    int Size() const { return size_; }

private:
    HICON handle_ = nullptr;
    int size_ = 0;
};
