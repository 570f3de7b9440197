#include "wallpaper/JpegToBitmap.h"

#include "core/codec/BmpCodec.h"
#include "core/codec/JpegDecoder.h"
#include "platform/Files.h"

#include <vector>

void ConvertJpegToBitmap(const std::string& jpegPath, const std::string& bitmapPath)
{
    const std::vector<uint8_t> jpeg = ReadWholeFile(jpegPath);

    // The decoder checks the picture's size against its memory limit before
    // it asks for the rows.
    std::vector<uint8_t> pixels;
    PixelRows rows;
    const AllocatePixels allocate = [&](int width, int height) {
        const uint64_t stride = Dib24Stride(static_cast<uint64_t>(width));
        pixels.assign(static_cast<size_t>(stride * static_cast<uint64_t>(height)), 0);
        rows = PixelRows{pixels.data(), static_cast<ptrdiff_t>(stride)};
        return rows;
    };
    const JpegDecodeResult decoded = DecodeJpeg(jpeg.data(), jpeg.size(), JpegDecodeOptions{}, allocate);

    TAtomicFileWriter file = TAtomicFileWriter::CreateStream(bitmapPath);
    // The desktop must never read half a bitmap, so the new file replaces the
    // old one whole; but it can always be made again from its JPEG, so the
    // apply does not wait for it to reach the disk.
    file.SetFlushOnCommit(false);
    WriteBmp24(decoded.Width, decoded.Height, rows, [&file](const void* bytes, size_t count) {
        file.Write(static_cast<const char*>(bytes), count);
    });
    file.Commit();
}
