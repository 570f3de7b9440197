// Writing 24-bit uncompressed BMP files, one row at a time.

#include "core/Exceptions.h"
#include "core/codec/BmpCodec.h"
#include "core/codec/LittleEndian.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

using Bmp24Header = std::array<uint8_t, kBmpFileHeaderSize + kBmpInfoHeaderSize>;

// The file and info headers of a 24-bit uncompressed BMP of that size.
Bmp24Header MakeBmp24Header(int width, int height)
{
    if (width < 1 || height < 1)
        throw EInvalidGraphic::InvalidBitmap();
    const uint64_t imageBytes = Dib24Bytes(static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    const uint64_t headerBytes = kBmpFileHeaderSize + kBmpInfoHeaderSize;
    if (headerBytes + imageBytes > UINT32_MAX)
        throw EInvalidGraphic::TooLarge(width, height); // the file header's sizes are 32-bit

    Bmp24Header header{};
    uint8_t* file = header.data();
    file[0] = 'B';
    file[1] = 'M';
    StoreU32(file + 2, static_cast<uint32_t>(headerBytes + imageBytes));
    StoreU32(file + 10, static_cast<uint32_t>(headerBytes));
    uint8_t* info = file + kBmpFileHeaderSize;
    StoreU32(info + 0, kBmpInfoHeaderSize);
    StoreU32(info + 4, static_cast<uint32_t>(width));
    StoreU32(info + 8, static_cast<uint32_t>(height)); // positive: bottom-up
    StoreU16(info + 12, 1);                            // planes
    StoreU16(info + 14, 24);                           // bits per pixel
    StoreU32(info + 16, static_cast<uint32_t>(BmpCompression::Rgb));
    StoreU32(info + 20, static_cast<uint32_t>(imageBytes));
    // Resolution, colours used and important colours stay 0.
    return header;
}

} // namespace

void WriteBmp24Dib(int width, int height, const uint8_t* dibBits, const ByteSink& sink)
{
    const Bmp24Header header = MakeBmp24Header(width, height);
    sink(header.data(), header.size());
    sink(dibBits,
         static_cast<size_t>(Dib24Bytes(static_cast<uint64_t>(width), static_cast<uint64_t>(height))));
}

void WriteBmp24(int width, int height, const PixelRows& source, const ByteSink& sink)
{
    const Bmp24Header header = MakeBmp24Header(width, height);
    sink(header.data(), header.size());
    const uint64_t stride = Dib24Stride(static_cast<uint64_t>(width));

    // The rows, bottom one first, are gathered into blocks of about 1 MB and
    // each block goes to the sink in one call: a file writer passes a block
    // that large straight to the system, so the pixels are copied once. The
    // block's padding bytes are zeroed once and never written over.
    constexpr size_t kBlockBytes = size_t{1} << 20;
    const size_t rowBytes = static_cast<size_t>(stride);
    const size_t pixelBytes = static_cast<size_t>(width) * 3;
    const size_t blockRows =
        std::min<size_t>(static_cast<size_t>(height), std::max<size_t>(1, kBlockBytes / rowBytes));
    std::vector<uint8_t> block(blockRows * rowBytes, 0);
    size_t filled = 0;
    for (int y = height - 1; y >= 0; --y) {
        std::memcpy(block.data() + filled * rowBytes, source.Row(y), pixelBytes);
        if (++filled == blockRows || y == 0) {
            sink(block.data(), filled * rowBytes);
            filled = 0;
        }
    }
}

std::vector<uint8_t> EncodeBmp24(int width, int height, const PixelRows& source)
{
    std::vector<uint8_t> bytes;
    if (width >= 1 && height >= 1) {
        const uint64_t fileBytes = kBmpFileHeaderSize + kBmpInfoHeaderSize +
                                   Dib24Bytes(static_cast<uint64_t>(width), static_cast<uint64_t>(height));
        if (fileBytes <= UINT32_MAX) // larger sizes are refused by the writer
            bytes.reserve(static_cast<size_t>(fileBytes));
    }
    WriteBmp24(width, height, source, [&bytes](const void* data, size_t count) {
        const auto* first = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), first, first + count);
    });
    return bytes;
}
