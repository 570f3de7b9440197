// Writing 24-bit uncompressed BMP files, one row at a time.

#include "core/Exceptions.h"
#include "core/codec/BmpCodec.h"
#include "core/codec/LittleEndian.h"

#include <array>
#include <cstring>

void WriteBmp24(int width, int height, const PixelRows& source, const ByteSink& sink)
{
    if (width < 1 || height < 1)
        throw EInvalidGraphic::InvalidBitmap();
    const uint64_t stride = Dib24Stride(static_cast<uint64_t>(width));
    const uint64_t imageBytes = stride * static_cast<uint64_t>(height);
    const uint64_t headerBytes = kBmpFileHeaderSize + kBmpInfoHeaderSize;
    if (headerBytes + imageBytes > UINT32_MAX)
        throw EInvalidGraphic::TooLarge(width, height); // the file header's sizes are 32-bit

    std::array<uint8_t, kBmpFileHeaderSize + kBmpInfoHeaderSize> header{};
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
    sink(header.data(), header.size());

    // One row buffer, so the padding bytes are zero and each row is one call.
    std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
    const size_t pixelBytes = static_cast<size_t>(width) * 3;
    for (int y = height - 1; y >= 0; --y) {
        std::memcpy(row.data(), source.Row(y), pixelBytes);
        sink(row.data(), row.size());
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
