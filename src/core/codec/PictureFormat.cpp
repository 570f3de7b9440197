#include "core/codec/PictureFormat.h"

#include "core/AsciiCase.h"

#include <array>
#include <cstring>

namespace {

struct FormatExtension {
    const char* Extension;
    PictureFormat Format;
};

constexpr std::array<FormatExtension, 10> kExtensions{{
    {".bmp", PictureFormat::Bmp},
    {".jpg", PictureFormat::Jpeg},
    {".jpeg", PictureFormat::Jpeg},
    {".jpe", PictureFormat::Jpeg},
    {".jfif", PictureFormat::Jpeg},
    {".png", PictureFormat::Png},
    {".gif", PictureFormat::Gif},
    {".tif", PictureFormat::Tiff},
    {".tiff", PictureFormat::Tiff},
    {".webp", PictureFormat::Webp},
}};

bool StartsWith(const uint8_t* data, size_t size, const char* prefix, size_t length)
{
    return size >= length && std::memcmp(data, prefix, length) == 0;
}

} // namespace

PictureFormat PictureFormatOfExtension(const std::string& extension)
{
    const std::string lower = LowerAscii(extension);
    for (const FormatExtension& known : kExtensions) {
        if (lower == known.Extension)
            return known.Format;
    }
    return PictureFormat::Unknown;
}

PictureFormat SniffPictureFormat(const uint8_t* data, size_t size)
{
    if (StartsWith(data, size, "BM", 2))
        return PictureFormat::Bmp;
    if (StartsWith(data, size, "\xFF\xD8\xFF", 3))
        return PictureFormat::Jpeg;
    if (StartsWith(data, size, "\x89PNG\r\n\x1A\n", 8))
        return PictureFormat::Png;
    if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6))
        return PictureFormat::Gif;
    if (StartsWith(data, size, "II*\0", 4) || StartsWith(data, size, "MM\0*", 4))
        return PictureFormat::Tiff;
    if (size >= 12 && StartsWith(data, size, "RIFF", 4) && std::memcmp(data + 8, "WEBP", 4) == 0)
        return PictureFormat::Webp;
    return PictureFormat::Unknown;
}

PictureFormat DecidePictureFormat(const uint8_t* data, size_t size, PictureFormat named)
{
    const PictureFormat sniffed = SniffPictureFormat(data, size);
    return sniffed != PictureFormat::Unknown ? sniffed : named;
}

const char* PictureFormatName(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp:
        return "Bitmap";
    case PictureFormat::Jpeg:
        return "JPEG";
    case PictureFormat::Png:
        return "PNG";
    case PictureFormat::Gif:
        return "GIF";
    case PictureFormat::Tiff:
        return "TIFF";
    case PictureFormat::Webp:
        return "WebP";
    case PictureFormat::Unknown:
        break;
    }
    return "";
}

std::string PictureFilePatterns()
{
    std::string patterns;
    for (const FormatExtension& known : kExtensions) {
        if (!patterns.empty())
            patterns += ';';
        patterns += '*';
        patterns += known.Extension;
    }
    return patterns;
}
