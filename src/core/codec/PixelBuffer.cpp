#include "core/codec/PixelBuffer.h"

#include "core/Exceptions.h"

#include <algorithm>

void CheckDecodedSize(uint64_t bytes, uint64_t limit, int64_t width, int64_t height)
{
    if (bytes <= limit)
        return;
    const auto asInt = [](int64_t v) {
        return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    throw EInvalidGraphic::TooLarge(asInt(width), asInt(height));
}
