// Fuzzes the readers of icon directories, of metafile, PNG, GIF and TIFF
// headers and the reading of any picture's format and size, and checks that
// every icon picture they report lies inside the data and that every size
// they give can be taken by the size checks.

#include "core/Exceptions.h"
#include "core/codec/PictureHeaders.h"
#include "core/codec/PictureInfo.h"
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
    PngHeader png;
    if (ReadPngHeader(data, size, png) && (png.BitsPerPixel < 1 || png.BitsPerPixel > 64))
        std::abort();
    GifLayout gif;
    if (ReadGifLayout(data, size, gif)) {
        if (gif.Frames < 1 ||
            gif.FramePixels < static_cast<uint64_t>(gif.FirstFrame.Width * gif.FirstFrame.Height))
            std::abort();
        Check(gif.FirstFrame);
    }
    if (ReadTiffSize(data, size, claimed))
        Check(claimed);
    try {
        const PictureInfo info = ReadPictureInfo(data, size, PictureFormat::Png);
        if (info.Width < 1 || info.Height < 1)
            std::abort();
        CheckPictureMemory(info, kMaxDecodedBytes);
    } catch (const EInvalidGraphic&) {
    } catch (const EJPEG&) {
    }
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
