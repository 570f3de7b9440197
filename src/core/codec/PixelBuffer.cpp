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

void CheckPictureSize(int64_t width, int64_t height, int bitsPerPixel)
{
    const auto side = [](int64_t v) { return static_cast<uint64_t>(std::max<int64_t>(v, 0)); };
    // Sides beyond 32 bits could wrap the product; no such picture fits anyway.
    constexpr uint64_t largestSide = uint64_t{1} << 31;
    const uint64_t w = side(width), h = side(height);
    const uint64_t bytes = w > largestSide || h > largestSide
                               ? kMaxDecodedBytes + 1
                               : DibBytes(w, h, static_cast<uint64_t>(std::max(bitsPerPixel, 1)));
    CheckDecodedSize(bytes, kMaxDecodedBytes, width, height);
}
