#include "core/ByteStreams.h"

#include <algorithm>
#include <cstring>

size_t TMemoryByteSource::Read(char* buffer, size_t size)
{
    const size_t count = std::min(size, Data.size() - Position);
    if (count > 0)
        std::memcpy(buffer, Data.data() + Position, count);
    Position += count;
    return count;
}
