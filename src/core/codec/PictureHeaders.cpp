#include "core/codec/PictureHeaders.h"

#include "core/Exceptions.h"
#include "core/codec/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kEmrHeader = 1;
constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr size_t kEmfHeaderBytes = 88;         // up to szlMillimeters
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr size_t kIconDirBytes = 6;
constexpr size_t kIconEntryBytes = 16;

uint32_t LoadU32BigEndian(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

int64_t Side(int32_t low, int32_t high)
{
    return std::max<int64_t>(0, static_cast<int64_t>(high) - low);
}

// The size an icon picture's own data gives: a PNG's IHDR, or a DIB info
// header whose height counts the colour rows and the mask rows.
bool ReadIconImageSize(const uint8_t* data, size_t size, IconImage& image)
{
    if (ReadPngSize(data, size, image.Size)) {
        image.Png = true;
        image.BitCount = 32;
        return image.Size.Width > 0 && image.Size.Height > 0;
    }
    if (size < 4)
        return false;
    const uint32_t headerSize = LoadU32(data);
    if (headerSize == 12 && size >= 12) {
        image.Size = {LoadU16(data + 4), LoadU16(data + 6) / 2};
        image.BitCount = LoadU16(data + 10);
    } else if (headerSize >= 40 && size >= headerSize) {
        image.Size = {LoadI32(data + 4), LoadI32(data + 8) / 2};
        image.BitCount = LoadU16(data + 14);
    } else {
        return false;
    }
    return image.Size.Width > 0 && image.Size.Height > 0;
}

} // namespace

bool ReadEmfSize(const uint8_t* data, size_t size, PictureSize& result)
{
    if (size < kEmfHeaderBytes || LoadU32(data) != kEmrHeader || LoadU32(data + 40) != kEmfSignature)
        return false;
    // rclBounds: left, top, right, bottom at offset 8.
    result = {Side(LoadI32(data + 8), LoadI32(data + 16)), Side(LoadI32(data + 12), LoadI32(data + 20))};
    return true;
}

bool ReadPngSize(const uint8_t* data, size_t size, PictureSize& result)
{
    // Signature, then the IHDR chunk: length, type, width, height (big-endian).
    if (size < 24 || std::memcmp(data, kPngSignature, sizeof kPngSignature) != 0 ||
        std::memcmp(data + 12, "IHDR", 4) != 0)
        return false;
    result = {LoadU32BigEndian(data + 16), LoadU32BigEndian(data + 20)};
    return true;
}

std::vector<IconImage> ReadIconImages(const uint8_t* data, size_t size)
{
    // ICONDIR: reserved 0, type 1 (icon), count; then one 16-byte entry each.
    if (size < kIconDirBytes || LoadU16(data) != 0 || LoadU16(data + 2) != 1)
        throw EInvalidGraphic::InvalidBitmap();
    const size_t count = LoadU16(data + 4);
    if (count == 0 || size < kIconDirBytes + count * kIconEntryBytes)
        throw EInvalidGraphic::InvalidBitmap();
    std::vector<IconImage> images;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = data + kIconDirBytes + i * kIconEntryBytes;
        IconImage image;
        image.Bytes = LoadU32(entry + 8);
        image.Offset = LoadU32(entry + 12);
        if (image.Offset > size || image.Bytes > size - image.Offset)
            continue;
        if (ReadIconImageSize(data + image.Offset, image.Bytes, image))
            images.push_back(image);
    }
    if (images.empty())
        throw EInvalidGraphic::InvalidBitmap();
    return images;
}

const IconImage& LargestIconImage(const std::vector<IconImage>& images)
{
    return *std::max_element(images.begin(), images.end(), [](const IconImage& a, const IconImage& b) {
        // Sides are at most 32 bits wide, so their product fits unsigned 64 bits.
        const auto area = [](const IconImage& image) {
            return static_cast<uint64_t>(image.Size.Width) * static_cast<uint64_t>(image.Size.Height);
        };
        const uint64_t areaA = area(a), areaB = area(b);
        return areaA != areaB ? areaA < areaB : a.BitCount < b.BitCount;
    });
}
