// Fuzzes the readers of icon directories and metafile and PNG headers, and
// checks that every icon picture they report lies inside the data and has a
// size the size check can take.

#include "core/Exceptions.h"
#include "core/codec/PictureHeaders.h"
#include "core/codec/PixelBuffer.h"

#include <cstdlib>

namespace {

void Check(const PictureSize& size)
{
    try {
        CheckPictureSize(size.Width, size.Height, 97);
    } catch (const EInvalidGraphic&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PictureSize claimed;
    if (ReadEmfSize(data, size, claimed)) {
        if (claimed.Width < 0 || claimed.Height < 0)
            std::abort();
        Check(claimed);
    }
    if (ReadPngSize(data, size, claimed))
        Check(claimed);
    try {
        const std::vector<IconImage> images = ReadIconImages(data, size);
        for (const IconImage& image : images) {
            if (image.Offset > size || image.Bytes > size - image.Offset || image.Size.Width < 1 ||
                image.Size.Height < 1)
                std::abort();
            Check(image.Size);
        }
        const IconImage& shown = LargestIconImage(images);
        if (shown.Offset > size)
            std::abort();
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
