#include "framework/graphics/GdiHandle.h"

#include <atomic>

namespace gdi {

namespace {
std::atomic<long> liveObjects{0};
}

long LiveObjectCount() { return liveObjects.load(); }
void CountCreated() { ++liveObjects; }
void CountDeleted() { --liveObjects; }

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

}  // namespace gdi
