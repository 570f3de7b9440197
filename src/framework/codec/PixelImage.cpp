#include "framework/codec/PixelImage.h"

#include "framework/Exceptions.h"

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

std::vector<uint8_t> PixelImage::PackedPixels() const
{
    std::vector<uint8_t> packed;
    const size_t rowBytes = static_cast<size_t>(ImageWidth) * 3;
    packed.reserve(rowBytes * static_cast<size_t>(ImageHeight));
    for (int y = 0; y < ImageHeight; ++y)
        packed.insert(packed.end(), Row(y), Row(y) + rowBytes);
    return packed;
}
