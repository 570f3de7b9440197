#include "core/codec/PixelImage.h"

#include "core/Exceptions.h"

PixelImage::PixelImage(int width, int height)
{
    if (width < 0 || height < 0)
        throw EInvalidGraphic::InvalidBitmap();
    CheckDecodedSize(Dib24Bytes(width, height), kMaxDecodedBytes, width, height);
    ImageWidth = width;
    ImageHeight = height;
    RowStride = static_cast<ptrdiff_t>(Dib24Stride(width));
    Bytes.assign(static_cast<size_t>(Dib24Bytes(width, height)), 0);
}

AllocatePixels PixelImage::Allocator()
{
    return [this](int width, int height) {
        *this = PixelImage(width, height);
        return Rows();
    };
}
