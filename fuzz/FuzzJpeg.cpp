// Fuzzes the JPEG decoder through libjpeg: header reading, a full-size
// decode and a 1/8 decode with the early stop, each within
// FuzzAllocator's limit (output and libjpeg's coefficient buffer together);
// and our own reader of the Exif orientation, which must give 1..8.

#include "FuzzAllocator.h"
#include "core/codec/JpegDecoder.h"
#include "core/codec/JpegExif.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int orientation = ReadJpegExifOrientation(data, size);
    if (orientation < 1 || orientation > 8)
        std::abort();
    try {
        ReadJpegInfo(data, size);
    } catch (const EJPEG&) {
        return 0; // the decoder would stop at the same header
    }
    for (int denom : {1, 8}) {
        JpegDecodeOptions options;
        options.ScaleDenom = denom;
        options.MaxDecodedBytes = FuzzAllocator::kLimit;
        FuzzAllocator pixels;
        try {
            const JpegDecodeResult result = DecodeJpeg(data, size, options, pixels.Callback());
            if (result.Width != pixels.Width || result.Height != pixels.Height || result.BytesRead > size)
                std::abort();
        } catch (const EJPEG&) {
        } catch (const EInvalidGraphic&) {
        }
    }
    return 0;
}
