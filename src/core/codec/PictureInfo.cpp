#include "core/codec/PictureInfo.h"

#include "core/Exceptions.h"
#include "core/codec/BmpCodec.h"
#include "core/codec/JpegDecoder.h"
#include "core/codec/PictureHeaders.h"
#include "core/codec/PixelBuffer.h"
#include "core/codec/WebpDecoder.h"

#include <algorithm>
#include <climits>

namespace {

// The TIFF decoder may keep a whole page at up to 16 bits for each of four
// samples; the header's sample layout is not read, so the widest is assumed.
constexpr uint64_t kTiffDecoderBytesPerPixel = 8;
// Beside the frames it reads whole, the GIF decoder makes a 32-bit copy.
constexpr uint64_t kGifConvertedBytesPerPixel = 4;

// a * b, held at UINT64_MAX: header sizes are up to 32 bits a side.
uint64_t Product(uint64_t a, uint64_t b)
{
    return a != 0 && b > UINT64_MAX / a ? UINT64_MAX : a * b;
}

uint64_t Sum(uint64_t a, uint64_t b)
{
    return b > UINT64_MAX - a ? UINT64_MAX : a + b;
}

uint64_t Pixels(const PictureSize& size)
{
    return Product(static_cast<uint64_t>(size.Width), static_cast<uint64_t>(size.Height));
}

// The size as a picture's int sides; a side below 1 is broken.
PictureInfo Sized(PictureFormat format, const PictureSize& size)
{
    if (size.Width < 1 || size.Height < 1)
        throw EInvalidGraphic::InvalidPicture(PictureFormatName(format));
    // Sides past INT_MAX are held there: such a picture is refused as too
    // large with the largest size the message can name.
    PictureInfo info;
    info.Format = format;
    info.Width = static_cast<int>(std::min<int64_t>(size.Width, INT_MAX));
    info.Height = static_cast<int>(std::min<int64_t>(size.Height, INT_MAX));
    return info;
}

PictureInfo ReadWicFormatInfo(PictureFormat format, const uint8_t* data, size_t size)
{
    const auto invalid = [format] { return EInvalidGraphic::InvalidPicture(PictureFormatName(format)); };
    PictureInfo info;
    if (format == PictureFormat::Png) {
        PngHeader header;
        if (!ReadPngHeader(data, size, header))
            throw invalid();
        info = Sized(format, header.Size);
        info.DecoderBytes = Product(Pixels(header.Size), static_cast<uint64_t>(header.BitsPerPixel)) / 8;
    } else if (format == PictureFormat::Gif) {
        GifLayout layout;
        if (!ReadGifLayout(data, size, layout))
            throw invalid();
        info = Sized(format, layout.FirstFrame);
        info.DecoderBytes =
            Sum(layout.FramePixels, Product(Pixels(layout.FirstFrame), kGifConvertedBytesPerPixel));
    } else {
        PictureSize page;
        if (!ReadTiffSize(data, size, page))
            throw invalid();
        info = Sized(format, page);
        info.DecoderBytes = Product(Pixels(page), kTiffDecoderBytesPerPixel);
    }
    return info;
}

} // namespace

PictureInfo ReadPictureInfo(const uint8_t* data, size_t size, PictureFormat named)
{
    const PictureFormat format = DecidePictureFormat(data, size, named);
    switch (format) {
    case PictureFormat::Bmp: {
        const BmpInfo bmp = ReadBmpInfo(data, size);
        return Sized(format, {bmp.Width, bmp.Height});
    }
    case PictureFormat::Jpeg: {
        const JpegInfo jpeg = ReadJpegInfo(data, size);
        return Sized(format, {jpeg.Width, jpeg.Height});
    }
    case PictureFormat::Webp: {
        const WebpInfo webp = ReadWebpInfo(data, size);
        PictureInfo info = Sized(format, {webp.Width, webp.Height});
        info.DecoderBytes = WebpDecoderBytes(webp);
        return info;
    }
    case PictureFormat::Png:
    case PictureFormat::Gif:
    case PictureFormat::Tiff:
        return ReadWicFormatInfo(format, data, size);
    case PictureFormat::Unknown:
        break;
    }
    throw EInvalidGraphic::UnknownFormat();
}

void CheckPictureMemory(const PictureInfo& info, uint64_t limit)
{
    const uint64_t stride = Dib24Stride(static_cast<uint64_t>(info.Width)); // sides are below 2^31
    const uint64_t picture = Product(stride, static_cast<uint64_t>(info.Height));
    CheckDecodedSize(Sum(picture, info.DecoderBytes), limit, info.Width, info.Height);
}
