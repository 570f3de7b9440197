#include "framework/graphics/GdiHandle.h"

#include <atomic>

namespace gdi {

namespace {
std::atomic<long> liveObjects{0};
}

long LiveObjectCount()
{
    return liveObjects.load();
}
void CountCreated()
{
    ++liveObjects;
}
void CountDeleted()
{
    --liveObjects;
}

MemoryDC::MemoryDC() : dc_(CreateCompatibleDC(nullptr))
{
    CountCreated();
}

MemoryDC::MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith))
{
    CountCreated();
}

MemoryDC::~MemoryDC()
{
    DeleteDC(dc_);
    CountDeleted();
}

DoubleBuffer::DoubleBuffer(HDC target, int width, int height)
    : target_(target), width_(width), height_(height), memory_(target),
      bitmap_(CreateCompatibleBitmap(target, width, height))
{
    if (bitmap_)
        previous_ = SelectObject(memory_.Get(), bitmap_.Get());
}

DoubleBuffer::~DoubleBuffer()
{
    if (buffered())
        SelectObject(memory_.Get(), previous_);
}

void DoubleBuffer::Flush()
{
    if (buffered())
        BitBlt(target_, 0, 0, width_, height_, memory_.Get(), 0, 0, SRCCOPY);
}

} // namespace gdi
