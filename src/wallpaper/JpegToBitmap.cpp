#include "wallpaper/JpegToBitmap.h"

#include "core/codec/BmpCodec.h"
#include "core/codec/JpegDecoder.h"
#include "platform/Files.h"

TDecodedJpeg DecodeJpegFile(const std::string& jpegPath)
{
    const std::vector<uint8_t> jpeg = ReadWholeFile(jpegPath);

    // The decoder checks the picture's size against its memory limit before
    // it asks for the rows.
    TDecodedJpeg picture;
    picture.Path = jpegPath;
    const AllocatePixels allocate = [&picture](int width, int height) {
        picture.Stride = static_cast<size_t>(Dib24Stride(static_cast<uint64_t>(width)));
        picture.Pixels.resize(picture.Stride * static_cast<size_t>(height));
        return picture.Rows();
    };
    const JpegDecodeResult decoded = DecodeJpeg(jpeg.data(), jpeg.size(), JpegDecodeOptions{}, allocate);
    picture.Width = decoded.Width;
    picture.Height = decoded.Height;
    return picture;
}

void WriteBitmapFile(TDecodedJpeg& picture, const std::string& bitmapPath)
{
    TAtomicFileWriter file = TAtomicFileWriter::CreateStream(bitmapPath);
    // The desktop must never read half a bitmap, so the new file replaces the
    // old one whole; but it can always be made again from its JPEG, so the
    // apply does not wait for it to reach the disk.
    file.SetFlushOnCommit(false);
    WriteBmp24(picture.Width, picture.Height, picture.Rows(), [&file](const void* bytes, size_t count) {
        file.Write(static_cast<const char*>(bytes), count);
    });
    file.Commit();
}

void ConvertJpegToBitmap(const std::string& jpegPath, const std::string& bitmapPath)
{
    TDecodedJpeg picture = DecodeJpegFile(jpegPath);
    WriteBitmapFile(picture, bitmapPath);
}
