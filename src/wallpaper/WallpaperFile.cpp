#include "wallpaper/WallpaperFile.h"

#include "core/FileNames.h"
#include "core/codec/PictureFormat.h"

std::string WallpaperExtension(const std::string& path)
{
    // Only ASCII letters are upper-cased. The result is compared with ".JPG"
    // and ".BMP" alone (longer names are matched whole, see WallpaperKindOf),
    // and no character outside ASCII upper-cases to one of their letters, so
    // the decision is the one a locale-aware upper-casing gives.
    std::string extension = ExtractFileExt(path);
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    if (extension.size() > 4)
        extension.resize(4);
    return extension;
}

TWallpaperKind WallpaperKindOf(const std::string& path)
{
    const std::string extension = WallpaperExtension(path);
    if (extension == ".JPG")
        return TWallpaperKind::Jpeg;
    if (extension == ".BMP")
        return TWallpaperKind::Bitmap;
    // The names that came with more formats are matched whole: ".jpegx" is
    // no JPEG, though its first four characters are ".JPE".
    switch (PictureFormatOfExtension(ExtractFileExt(path))) {
    case PictureFormat::Jpeg:
        return TWallpaperKind::Jpeg;
    case PictureFormat::Png:
    case PictureFormat::Gif:
    case PictureFormat::Tiff:
    case PictureFormat::Webp:
        return TWallpaperKind::Picture;
    case PictureFormat::Bmp:
    case PictureFormat::Unknown:
        break;
    }
    return TWallpaperKind::None;
}

std::optional<TWallpaperStyle> WallpaperStyleForIndex(int itemIndex)
{
    switch (itemIndex) {
    case 0:
        return TWallpaperStyle{"0", "0"};
    case 1:
        return TWallpaperStyle{"0", "1"};
    case 2:
        return TWallpaperStyle{"2", "0"};
    default:
        return std::nullopt;
    }
}
