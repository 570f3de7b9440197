#pragma once
// A decoder destination for fuzzing: a bottom-up buffer (negative stride,
// like a DIB section) that refuses pictures over 4 MB. A few bytes of input
// can claim a huge picture, and filling, decoding and comparing tens of
// megabytes per input would spend the fuzzer's time on memory traffic
// instead of on new inputs; every size check and row computation runs the
// same way for a 1000 x 1000 picture as for a larger one, and the refusal
// path (EInvalidGraphic::TooLarge) is still taken for anything bigger.
// Fresh memory is filled with a marker byte so pixels a decoder forgets to
// write stay visible to the checks.

#include "core/Exceptions.h"
#include "core/codec/PixelBuffer.h"

#include <cstdint>
#include <vector>

class FuzzAllocator {
public:
    static constexpr uint64_t kLimit = uint64_t{4} << 20;

    AllocatePixels Callback()
    {
        return [this](int width, int height) {
            const uint64_t bytes = Dib24Bytes(static_cast<uint64_t>(width), static_cast<uint64_t>(height));
            if (bytes > kLimit)
                throw EInvalidGraphic::TooLarge(width, height);
            Width = width;
            Height = height;
            Stride = static_cast<ptrdiff_t>(Dib24Stride(static_cast<uint64_t>(width)));
            Pixels.assign(static_cast<size_t>(bytes), 0xCD);
            return PixelRows{Pixels.data() + (height - 1) * Stride, -Stride};
        };
    }

    PixelRows Rows() { return {Pixels.data() + (Height - 1) * Stride, -Stride}; }

    int Width = 0;
    int Height = 0;
    ptrdiff_t Stride = 0;
    std::vector<uint8_t> Pixels;
};
