// Fuzzes the WebP decoder's use of libwebp: the size check before the rows,
// the rows handed over bottom-up, alpha laid over the background.

#include "FuzzAllocator.h"
#include "core/codec/WebpDecoder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzAllocator decoded;
    try {
        DecodeWebp(data, size, 0x00808000, kMaxDecodedBytes, decoded.Callback());
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    if (decoded.Width < 1 || decoded.Height < 1)
        std::abort();
    return 0;
}
