// Fuzzes the BMP reader, and checks that whatever it reads survives a trip
// through the writer and back unchanged.

#include "FuzzAllocator.h"
#include "core/codec/BmpCodec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        const BmpInfo info = ReadBmpInfo(data, size);
        if (info.PixelOffset > size || info.PixelBytes != size - info.PixelOffset)
            std::abort();
    } catch (const EInvalidGraphic&) {
    }

    FuzzAllocator decoded;
    try {
        DecodeBmp(data, size, decoded.Callback());
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    const auto written = EncodeBmp24(decoded.Width, decoded.Height, decoded.Rows());
    FuzzAllocator reread;
    DecodeBmp(written.data(), written.size(), reread.Callback()); // must not throw
    if (reread.Pixels != decoded.Pixels)
        std::abort();
    return 0;
}
