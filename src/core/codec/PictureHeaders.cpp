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

uint16_t LoadU16BigEndian(const uint8_t* p)
{
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
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

bool ReadPngHeader(const uint8_t* data, size_t size, PngHeader& result)
{
    if (!ReadPngSize(data, size, result.Size) || size < 26)
        return false;
    // Bit depth and colour type follow the size: grey, RGB, palette,
    // grey + alpha, RGBA.
    const int depth = data[24];
    int channels = 0;
    switch (data[25]) {
    case 0:
    case 3:
        channels = 1;
        break;
    case 2:
        channels = 3;
        break;
    case 4:
        channels = 2;
        break;
    case 6:
        channels = 4;
        break;
    default:
        return false;
    }
    if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16)
        return false;
    result.BitsPerPixel = channels * depth;
    return true;
}

namespace {

// Skips a run of GIF data sub-blocks (a length byte, that many bytes; a
// zero length ends the run). Returns the offset after the run, or 0 when
// the data ends first.
size_t SkipGifSubBlocks(const uint8_t* data, size_t size, size_t at)
{
    while (at < size) {
        const size_t length = data[at];
        if (length == 0)
            return at + 1;
        at += 1 + length;
    }
    return 0;
}

// Bytes of a colour table that a GIF flag byte announces (none when its
// top bit is clear).
size_t GifColorTableBytes(uint8_t flags)
{
    return (flags & 0x80) ? 3u << ((flags & 7) + 1) : 0;
}

} // namespace

bool ReadGifLayout(const uint8_t* data, size_t size, GifLayout& result)
{
    constexpr size_t kScreenEnd = 13; // signature, logical screen descriptor
    if (size < kScreenEnd || (std::memcmp(data, "GIF87a", 6) != 0 && std::memcmp(data, "GIF89a", 6) != 0))
        return false;
    result = GifLayout{};
    result.Screen = {LoadU16(data + 6), LoadU16(data + 8)};
    size_t at = kScreenEnd + GifColorTableBytes(data[10]);
    while (at < size && data[at] != 0x3B) {
        if (data[at] == 0x21) { // extension: label, then sub-blocks
            at = at + 2 <= size ? SkipGifSubBlocks(data, size, at + 2) : 0;
        } else if (data[at] == 0x2C && size - at >= 10) { // image descriptor
            const PictureSize frame{LoadU16(data + at + 5), LoadU16(data + at + 7)};
            if (result.Frames == 0)
                result.FirstFrame = frame;
            result.FramePixels += static_cast<uint64_t>(frame.Width) * static_cast<uint64_t>(frame.Height);
            ++result.Frames;
            // The table, the LZW code size byte, then the image data.
            at += 10 + GifColorTableBytes(data[at + 9]) + 1;
            at = SkipGifSubBlocks(data, size, at);
        } else {
            break;
        }
        if (at == 0)
            break;
    }
    return result.Frames > 0;
}

bool ReadTiffSize(const uint8_t* data, size_t size, PictureSize& result)
{
    if (size < 8)
        return false;
    const bool little = std::memcmp(data, "II*\0", 4) == 0;
    if (!little && std::memcmp(data, "MM\0*", 4) != 0)
        return false;
    const auto u16 = [little](const uint8_t* p) { return little ? LoadU16(p) : LoadU16BigEndian(p); };
    const auto u32 = [little](const uint8_t* p) { return little ? LoadU32(p) : LoadU32BigEndian(p); };
    const size_t directory = u32(data + 4);
    if (directory > size - 2)
        return false;
    const size_t entries = u16(data + directory);
    constexpr size_t kEntryBytes = 12;
    if (entries > (size - directory - 2) / kEntryBytes)
        return false;
    int64_t width = -1, height = -1;
    for (size_t i = 0; i < entries; ++i) {
        const uint8_t* entry = data + directory + 2 + i * kEntryBytes;
        const uint16_t tag = u16(entry), type = u16(entry + 2);
        // A SHORT value sits in the first two bytes of the value field.
        int64_t value = -1;
        if (type == 3)
            value = u16(entry + 8);
        else if (type == 4)
            value = u32(entry + 8);
        if (tag == 256)
            width = value;
        else if (tag == 257)
            height = value;
    }
    if (width < 0 || height < 0)
        return false;
    result = {width, height};
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
