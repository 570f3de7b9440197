#include "PictureFiles.h"

#include "core/codec/LittleEndian.h"

#include <algorithm>
#include <utility>

namespace codec_test {

namespace {

void PutU32(std::vector<uint8_t>& bytes, uint32_t value)
{
    uint8_t raw[4];
    StoreU32(raw, value);
    bytes.insert(bytes.end(), raw, raw + 4);
}

void PutU16(std::vector<uint8_t>& bytes, uint16_t value)
{
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

uint32_t LoadU32BigEndian(const uint8_t* p)
{
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

void PutU32BigEndian(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t Crc32(const uint8_t* data, size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data)
{
    PutU32BigEndian(png, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    PutU32BigEndian(png, Crc32(typed.data(), typed.size()));
}

} // namespace

std::vector<uint8_t> PngImage(uint32_t width, uint32_t height, uint32_t rgb)
{
    // Rows of filter byte 0 and R, G, B, A pixels, in a zlib stream of
    // stored (uncompressed) blocks.
    std::vector<uint8_t> raw;
    for (uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);
        for (uint32_t x = 0; x < width; ++x)
            raw.insert(raw.end(), {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                                   static_cast<uint8_t>(rgb), 0xFF});
    }
    std::vector<uint8_t> zlib = {0x78, 0x01};
    for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const size_t length = std::min<size_t>(65535, raw.size() - at);
        zlib.push_back(at + length == raw.size() ? 1 : 0);
        PutU16(zlib, static_cast<uint16_t>(length));
        PutU16(zlib, static_cast<uint16_t>(~length));
        zlib.insert(zlib.end(), raw.begin() + static_cast<ptrdiff_t>(at),
                    raw.begin() + static_cast<ptrdiff_t>(at + length));
        if (raw.empty())
            break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutU32BigEndian(zlib, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    PutU32BigEndian(header, width);
    PutU32BigEndian(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    return png;
}

std::vector<uint8_t> EmfClaiming(int32_t width, int32_t height)
{
    std::vector<uint8_t> bytes;
    PutU32(bytes, 1);                       // EMR_HEADER
    PutU32(bytes, 88);                      // header record size
    for (int32_t v : {0, 0, width, height}) // bounds, device pixels
        PutU32(bytes, static_cast<uint32_t>(v));
    for (int32_t v : {0, 0, width * 26, height * 26}) // frame, 0.01 mm
        PutU32(bytes, static_cast<uint32_t>(v));
    PutU32(bytes, 0x464D4520); // " EMF"
    PutU32(bytes, 0x10000);    // version
    PutU32(bytes, 108);        // file size
    PutU32(bytes, 2);          // records
    PutU16(bytes, 1);          // handles
    PutU16(bytes, 0);
    for (uint32_t v : {0u, 0u, 0u, 1024u, 768u, 320u, 240u}) // description, palette, device size, mm
        PutU32(bytes, v);
    for (uint32_t v : {14u, 20u, 0u, 16u, 20u}) // EMR_EOF
        PutU32(bytes, v);
    return bytes;
}

std::vector<uint8_t> PngClaiming(uint32_t width, uint32_t height, size_t tail)
{
    std::vector<uint8_t> bytes = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    PutU32BigEndian(bytes, 13);
    bytes.insert(bytes.end(), {'I', 'H', 'D', 'R'});
    PutU32BigEndian(bytes, width);
    PutU32BigEndian(bytes, height);
    bytes.insert(bytes.end(), {8, 6, 0, 0, 0}); // depth, RGBA, compression, filter, interlace
    bytes.resize(bytes.size() + 4 + tail, 0);   // CRC and "data"
    return bytes;
}

std::vector<uint8_t> GifClaiming(uint16_t width, uint16_t height, int frames)
{
    std::vector<uint8_t> bytes = {'G', 'I', 'F', '8', '9', 'a'};
    PutU16(bytes, width);
    PutU16(bytes, height);
    bytes.insert(bytes.end(), {0, 0, 0}); // no global colour table
    for (int i = 0; i < frames; ++i) {
        bytes.push_back(0x2C);
        PutU16(bytes, 0);
        PutU16(bytes, 0);
        PutU16(bytes, width);
        PutU16(bytes, height);
        bytes.insert(bytes.end(), {0, 2, 0}); // no local table; code size 2; no data
    }
    bytes.push_back(0x3B);
    return bytes;
}

std::vector<uint8_t> TiffClaiming(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> bytes = {'I', 'I', '*', 0};
    PutU32(bytes, 8);
    PutU16(bytes, 2);
    for (const auto& [tag, value] : {std::pair{256, width}, std::pair{257, height}}) {
        PutU16(bytes, static_cast<uint16_t>(tag));
        PutU16(bytes, 4); // LONG
        PutU32(bytes, 1);
        PutU32(bytes, value);
    }
    PutU32(bytes, 0); // no next directory
    return bytes;
}

std::vector<uint8_t> WebpClaiming(uint32_t width, uint32_t height, bool alpha)
{
    std::vector<uint8_t> bytes = {'R', 'I', 'F', 'F'};
    PutU32(bytes, 4 + 8 + 10);
    bytes.insert(bytes.end(), {'W', 'E', 'B', 'P', 'V', 'P', '8', 'X'});
    PutU32(bytes, 10);
    bytes.insert(bytes.end(), {static_cast<uint8_t>(alpha ? 0x10 : 0), 0, 0, 0});
    for (uint32_t side : {width - 1, height - 1})
        bytes.insert(bytes.end(), {static_cast<uint8_t>(side), static_cast<uint8_t>(side >> 8),
                                   static_cast<uint8_t>(side >> 16)});
    return bytes;
}

std::vector<uint8_t> DibIconImage(int width, int height, uint32_t rgb)
{
    std::vector<uint8_t> bytes;
    PutU32(bytes, 40);
    PutU32(bytes, static_cast<uint32_t>(width));
    PutU32(bytes, static_cast<uint32_t>(height * 2));
    PutU16(bytes, 1);
    PutU16(bytes, 32);
    for (int i = 0; i < 6; ++i)
        PutU32(bytes, 0);
    for (int i = 0; i < width * height; ++i)
        PutU32(bytes, 0xFF000000u | rgb); // B, G, R, A in memory
    const size_t maskRow = static_cast<size_t>((width + 31) / 32 * 4);
    bytes.resize(bytes.size() + maskRow * static_cast<size_t>(height), 0);
    return bytes;
}

std::vector<uint8_t> IconFile(const std::vector<std::vector<uint8_t>>& images)
{
    std::vector<uint8_t> bytes;
    PutU16(bytes, 0);
    PutU16(bytes, 1);
    PutU16(bytes, static_cast<uint16_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (const auto& image : images) {
        // The directory's sizes as the picture's own header gives them
        // (0 stands for 256 and more).
        const bool png = image.size() >= 24 && image[0] == 0x89;
        const uint32_t width = png ? LoadU32BigEndian(&image[16]) : LoadU32(&image[4]);
        const uint32_t height = png ? LoadU32BigEndian(&image[20]) : LoadU32(&image[8]) / 2;
        bytes.push_back(static_cast<uint8_t>(width >= 256 ? 0 : width));
        bytes.push_back(static_cast<uint8_t>(height >= 256 ? 0 : height));
        bytes.insert(bytes.end(), {0, 0}); // colours, reserved
        PutU16(bytes, 1);
        PutU16(bytes, 32);
        PutU32(bytes, static_cast<uint32_t>(image.size()));
        PutU32(bytes, offset);
        offset += static_cast<uint32_t>(image.size());
    }
    for (const auto& image : images)
        bytes.insert(bytes.end(), image.begin(), image.end());
    return bytes;
}

} // namespace codec_test
