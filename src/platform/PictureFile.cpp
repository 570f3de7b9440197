#include "platform/PictureFile.h"

#include "core/FileNames.h"
#include "core/codec/BmpCodec.h"
#include "core/codec/WebpDecoder.h"
#include "platform/MappedFile.h"
#include "platform/WicDecoder.h"

PictureInfo DecodePicture(const uint8_t* data, size_t size, const PictureRequest& request,
                          PictureFormat named)
{
    PictureInfo info = ReadPictureInfo(data, size, named);
    switch (info.Format) {
    case PictureFormat::Bmp:
        DecodeBmp(data, size, request.Allocate);
        break;
    case PictureFormat::Jpeg: {
        JpegDecodeOptions options = request.Jpeg;
        options.MaxDecodedBytes = request.MaxDecodedBytes;
        const JpegDecodeResult decoded = DecodeJpeg(data, size, options, request.Allocate);
        info.Width = decoded.Width;
        info.Height = decoded.Height;
        break;
    }
    case PictureFormat::Webp:
        DecodeWebp(data, size, request.Background, request.MaxDecodedBytes, request.Allocate);
        break;
    case PictureFormat::Png:
    case PictureFormat::Gif:
    case PictureFormat::Tiff:
        // Checked here, before the system's decoder is given the data: some
        // decode the whole picture as soon as they are opened.
        CheckPictureMemory(info, request.MaxDecodedBytes);
        DecodeWithWic(data, size, info, request.Background, request.MaxDecodedBytes, request.Allocate);
        break;
    case PictureFormat::Unknown:
        break; // ReadPictureInfo has refused it
    }
    return info;
}

PictureInfo DecodePictureFile(const std::string& path, const PictureRequest& request)
{
    // Mapped, not read: the headers are checked first, and the decoder then
    // touches only the bytes of the picture, however large the file.
    const TPictureBytes bytes = TPictureBytes::OfFile(path);
    return DecodePicture(bytes.Data, bytes.Size, request, PictureFormatOfExtension(ExtractFileExt(path)));
}
