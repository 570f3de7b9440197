#include "wallpaper/JpegToBitmap.h"

#include "core/codec/BmpCodec.h"
#include "core/codec/JpegDecoder.h"
#include "core/codec/JpegExif.h"
#include "core/codec/PictureFormat.h"
#include "core/codec/PixelImage.h"
#include "core/imaging/Orientation.h"
#include "platform/Files.h"
#include "platform/MappedFile.h"
#include "wallpaper/PictureToBitmap.h"

#include <cstring>

TDecodedJpeg DecodeJpegFile(const std::string& jpegPath, const std::function<bool()>& stillWanted,
                            const TJpegScaleChoice& scaleFor)
{
    // Mapped, not read: libjpeg touches the picture's bytes and no more.
    const TPictureBytes file = TPictureBytes::OfFile(jpegPath);
    // A picture of another format under a JPEG's name is what its data says.
    if (DecidePictureFormat(file.Data, file.Size, PictureFormat::Jpeg) != PictureFormat::Jpeg) {
        TDecodedJpeg picture = DecodePictureForWallpaper(jpegPath);
        picture.OwnWidth = picture.Width;
        picture.OwnHeight = picture.Height;
        return picture;
    }
    const uint8_t* const data = file.Data;
    const size_t size = file.Size;

    // The decoder checks the picture's size against its memory limit before
    // it asks for the rows, and writes them where the BMP file has them.
    TDecodedJpeg picture;
    picture.Path = jpegPath;
    picture.FromJpegData = true;
    const AllocatePixels allocate = [&picture](int width, int height) {
        picture.Width = width;
        picture.Height = height;
        picture.Stride = static_cast<size_t>(Dib24Stride(static_cast<uint64_t>(width)));
        picture.Pixels.resize(picture.Stride * static_cast<size_t>(height));
        return picture.Rows();
    };
    JpegDecodeOptions options;
    options.StillWanted = stillWanted;
    if (scaleFor)
        options.ScaleDenom = scaleFor(data, size);
    const TOrientation orientation = OrientationFromExif(ReadJpegExifOrientation(data, size));
    const JpegInfo info = ReadJpegInfo(data, size);
    const bool turned = SwapsAxes(orientation);
    picture.OwnWidth = turned ? info.Height : info.Width;
    picture.OwnHeight = turned ? info.Width : info.Height;
    if (orientation == TOrientation::Normal) {
        DecodeJpeg(data, size, options, allocate);
    } else {
        // Shown upright, as the camera meant: decoded as stored, then turned.
        PixelImage stored;
        DecodeJpeg(data, size, options, stored.Allocator());
        const bool swap = SwapsAxes(orientation);
        const PixelRows rows =
            allocate(swap ? stored.Height() : stored.Width(), swap ? stored.Width() : stored.Height());
        OrientPixels(PixelRowsView{stored.Row(0), stored.Width(), stored.Height(), stored.Stride()},
                     orientation, PixelRowsView{rows.Row0, picture.Width, picture.Height, rows.Stride});
    }
    const size_t pixelBytes = static_cast<size_t>(picture.Width) * 3;
    if (pixelBytes != picture.Stride) {
        for (size_t offset = pixelBytes; offset < picture.Pixels.size(); offset += picture.Stride)
            std::memset(picture.Pixels.data() + offset, 0, picture.Stride - pixelBytes);
    }
    return picture;
}

void WriteBitmapFile(const TDecodedJpeg& picture, const std::string& bitmapPath,
                     const std::function<bool()>& stillWanted)
{
    TAtomicFileWriter file = TAtomicFileWriter::CreateStream(bitmapPath);
    // The desktop must never read half a bitmap, so the new file replaces the
    // old one whole; but it can always be made again from its JPEG, so the
    // apply does not wait for it to reach the disk.
    file.SetFlushOnCommit(false);
    WriteBmp24Dib(
        picture.Width, picture.Height, picture.Pixels.data(),
        [&file](const void* bytes, size_t count) { file.Write(static_cast<const char*>(bytes), count); });
    // Not wanted any more: the writer's end removes the new file, and the
    // desktop's file stays the one it shows.
    if (stillWanted && !stillWanted())
        return;
    file.Commit();
}

void ConvertJpegToBitmap(const std::string& jpegPath, const std::string& bitmapPath)
{
    // The wallpaper converts every format through this one call.
    ConvertPictureToBitmap(jpegPath, bitmapPath);
}
