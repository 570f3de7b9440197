#include "core/codec/JpegExif.h"

#include <cstring>

namespace {

constexpr int kAsStored = 1;
constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kTiffShort = 3;

uint16_t BigEndian16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

// Reads the TIFF structure of an Exif block in either byte order.
class TTiffReader {
public:
    TTiffReader(const uint8_t* data, size_t size, bool littleEndian)
        : data_(data), size_(size), little_(littleEndian)
    {
    }

    bool Has(uint64_t offset, uint64_t count) const { return offset <= size_ && count <= size_ - offset; }
    uint16_t U16(size_t offset) const
    {
        const uint8_t* p = data_ + offset;
        return little_ ? static_cast<uint16_t>(p[0] | p[1] << 8) : BigEndian16(p);
    }
    uint32_t U32(size_t offset) const
    {
        const uint32_t first = U16(offset), second = U16(offset + 2);
        return little_ ? first | second << 16 : first << 16 | second;
    }

private:
    const uint8_t* data_;
    size_t size_;
    bool little_;
};

int OrientationOfTiff(const uint8_t* tiff, size_t size)
{
    if (size < 8)
        return kAsStored;
    const bool little = std::memcmp(tiff, "II", 2) == 0;
    if (!little && std::memcmp(tiff, "MM", 2) != 0)
        return kAsStored;
    const TTiffReader reader(tiff, size, little);
    if (reader.U16(2) != 42)
        return kAsStored;
    const uint32_t directory = reader.U32(4);
    if (!reader.Has(directory, 2))
        return kAsStored;
    const uint16_t entries = reader.U16(directory);
    for (uint32_t i = 0; i < entries; ++i) {
        const uint64_t entry = uint64_t{directory} + 2 + uint64_t{i} * 12;
        if (!reader.Has(entry, 12))
            return kAsStored;
        const auto at = static_cast<size_t>(entry);
        if (reader.U16(at) != kOrientationTag)
            continue;
        if (reader.U16(at + 2) != kTiffShort || reader.U32(at + 4) != 1)
            return kAsStored;
        const int value = reader.U16(at + 8);
        return value >= 1 && value <= 8 ? value : kAsStored;
    }
    return kAsStored;
}

} // namespace

int ReadJpegExifOrientation(const uint8_t* data, size_t size)
{
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return kAsStored;
    size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != 0xFF)
            return kAsStored;
        const uint8_t marker = data[at + 1];
        if (marker == 0xFF) { // fill byte before a marker
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) // the first scan or the end: no Exif block before it
            return kAsStored;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // markers without a length
            at += 2;
            continue;
        }
        const size_t length = BigEndian16(data + at + 2);
        if (length < 2 || length > size - at - 2)
            return kAsStored;
        const uint8_t* payload = data + at + 4;
        const size_t payloadSize = length - 2;
        if (marker == 0xE1 && payloadSize >= 6 && std::memcmp(payload, "Exif\0\0", 6) == 0)
            return OrientationOfTiff(payload + 6, payloadSize - 6);
        at += 2 + length;
    }
    return kAsStored;
}
