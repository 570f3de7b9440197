#include "wallpaper/JpegToBitmap.h"

#include "framework/codec/BmpCodec.h"
#include "framework/codec/JpegDecoder.h"
#include "platform/Files.h"

#include <vector>

namespace {

std::vector<uint8_t> ReadWholeFile(const std::string& path)
{
    TInputFile file = TInputFile::OpenStream(path);
    // The size is a first guess only: the file may change while it is read.
    std::vector<uint8_t> bytes(static_cast<size_t>(file.Size()) + 1);
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() * 2);
        const size_t count = file.Read(reinterpret_cast<char*>(bytes.data() + filled), bytes.size() - filled);
        if (count == 0)
            break;
        filled += count;
    }
    bytes.resize(filled);
    return bytes;
}

} // namespace

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
    WriteBmp24(decoded.Width, decoded.Height, rows, [&file](const void* bytes, size_t count) {
        file.Write(static_cast<const char*>(bytes), count);
    });
    file.Commit();
}
