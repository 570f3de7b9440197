#include "wallpaper/PictureToBitmap.h"

#include "framework/graphics/Color.h"
#include "platform/PictureFile.h"

#include <cstring>

TDecodedPicture DecodePictureForWallpaper(const std::string& path)
{
    // Decoded straight into the rows the BMP file holds, bottom row first.
    TDecodedPicture picture;
    picture.Path = path;
    PictureRequest request;
    request.Background = ColorToRGB(clBackground);
    request.Allocate = [&picture](int width, int height) {
        picture.Width = width;
        picture.Height = height;
        picture.Stride = static_cast<size_t>(Dib24Stride(static_cast<uint64_t>(width)));
        picture.Pixels.resize(picture.Stride * static_cast<size_t>(height));
        return picture.Rows();
    };
    DecodePictureFile(path, request);
    // The decoders write the pixels only; the file's row padding must be zeros.
    const size_t pixelBytes = static_cast<size_t>(picture.Width) * 3;
    if (pixelBytes != picture.Stride) {
        for (size_t offset = pixelBytes; offset < picture.Pixels.size(); offset += picture.Stride)
            std::memset(picture.Pixels.data() + offset, 0, picture.Stride - pixelBytes);
    }
    return picture;
}

void ConvertPictureToBitmap(const std::string& path, const std::string& bitmapPath,
                            const std::function<bool()>& stillWanted)
{
    WriteBitmapFile(DecodePictureForWallpaper(path), bitmapPath, stillWanted);
}
