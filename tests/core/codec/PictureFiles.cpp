#include "PictureFiles.h"

#include "core/codec/LittleEndian.h"

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

void PutU32BigEndian(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

} // namespace

std::vector<uint8_t> EmfClaiming(int32_t width, int32_t height)
{
    std::vector<uint8_t> bytes;
    PutU32(bytes, 1);  // EMR_HEADER
    PutU32(bytes, 88); // header record size
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
        bytes.insert(bytes.end(), {0, 0, 0, 0}); // width, height, colours, reserved
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
