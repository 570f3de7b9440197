// Reading and checking the headers of BMP data (file header, info header,
// bit masks, palette). Every size is computed in 64 bits and compared with
// the buffer before anything behind it is read.

#include "core/Exceptions.h"
#include "core/codec/BmpCodec.h"
#include "core/codec/LittleEndian.h"

namespace {

[[noreturn]] void Invalid()
{
    throw EInvalidGraphic::InvalidBitmap();
}

bool IsKnownInfoHeaderSize(uint32_t size)
{
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// One run of set bits (or none) that fits in a pixel of `bitCount` bits.
bool IsUsableMask(uint32_t mask, int bitCount)
{
    if (bitCount < 32 && (mask >> bitCount) != 0)
        return false;
    if (mask == 0)
        return true;
    while ((mask & 1) == 0)
        mask >>= 1;
    return (mask & (mask + 1)) == 0;
}

bool IsValidDepthAndCompression(int bitCount, BmpCompression compression)
{
    switch (bitCount) {
    case 1:
        return compression == BmpCompression::Rgb;
    case 4:
        return compression == BmpCompression::Rgb || compression == BmpCompression::Rle4;
    case 8:
        return compression == BmpCompression::Rgb || compression == BmpCompression::Rle8;
    case 16:
    case 32:
        return compression == BmpCompression::Rgb || compression == BmpCompression::BitFields;
    case 24:
        return compression == BmpCompression::Rgb;
    default:
        return false;
    }
}

BmpChannelMasks DefaultMasks(int bitCount)
{
    if (bitCount == 16)
        return {0x7C00, 0x03E0, 0x001F};
    return {0x00FF0000, 0x0000FF00, 0x000000FF};
}

bool IsRle(BmpCompression compression)
{
    return compression == BmpCompression::Rle8 || compression == BmpCompression::Rle4;
}

// Where the info header starts, and where the file header says the pixels
// start (0 for a bare DIB).
struct HeaderPlaces {
    uint64_t InfoHeaderStart = 0;
    uint64_t FileOffBits = 0;
};

HeaderPlaces ReadFileHeader(const uint8_t* data, size_t size, BmpInfo& info)
{
    if (data == nullptr || size < 4)
        Invalid();
    if (data[0] != 'B' || data[1] != 'M')
        return {};
    // The file header's total size is often wrong in files in the wild
    // and is not needed: the buffer's own size is what bounds reading.
    if (size < kBmpFileHeaderSize + 4)
        Invalid();
    info.HasFileHeader = true;
    return {kBmpFileHeaderSize, LoadU32(data + 10)};
}

// Size, depth and compression from the info header; returns the number of
// palette colours the header names (0 for "all").
uint32_t ReadInfoHeader(const uint8_t* header, BmpInfo& info)
{
    int64_t width = 0;
    int64_t height = 0;
    uint32_t colorsUsed = 0;
    if (info.InfoHeaderSize == 12) {
        width = LoadU16(header + 4);
        height = LoadU16(header + 6);
        info.BitCount = LoadU16(header + 10);
        info.Compression = BmpCompression::Rgb;
        info.PaletteEntrySize = 3;
        if (info.BitCount == 16 || info.BitCount == 32)
            Invalid(); // the core header knows no such depths
    } else {
        width = LoadI32(header + 4);
        height = LoadI32(header + 8);
        info.BitCount = LoadU16(header + 14);
        const uint32_t compression = LoadU32(header + 16);
        if (compression > static_cast<uint32_t>(BmpCompression::BitFields))
            Invalid();
        info.Compression = static_cast<BmpCompression>(compression);
        colorsUsed = LoadU32(header + 32);
        info.PaletteEntrySize = 4;
    }
    if (height < 0) {
        info.TopDown = true;
        height = -height; // 64-bit: the most negative 32-bit value negates safely
    }
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX)
        Invalid();
    info.Width = static_cast<int>(width);
    info.Height = static_cast<int>(height);

    if (!IsValidDepthAndCompression(info.BitCount, info.Compression))
        Invalid();
    if (IsRle(info.Compression) && info.TopDown)
        Invalid(); // RLE data is always stored bottom-up
    return colorsUsed;
}

// Bit masks: three DWORDs after a 40-byte header, inside the larger ones.
// Returns the position after them, where a palette would start.
uint64_t ReadMasks(const uint8_t* data, size_t size, uint64_t headerStart, BmpInfo& info)
{
    uint64_t position = headerStart + info.InfoHeaderSize;
    if (info.Compression == BmpCompression::BitFields) {
        const uint8_t* masks = data + headerStart + 40;
        if (info.InfoHeaderSize == 40) {
            if (position + 12 > size)
                Invalid();
            masks = data + position;
            position += 12;
        }
        info.Masks = {LoadU32(masks), LoadU32(masks + 4), LoadU32(masks + 8)};
        for (uint32_t mask : {info.Masks.Red, info.Masks.Green, info.Masks.Blue})
            if (!IsUsableMask(mask, info.BitCount))
                Invalid();
    } else if (info.BitCount == 16 || info.BitCount == 32) {
        info.Masks = DefaultMasks(info.BitCount);
    }
    return position;
}

// Palette and pixel places. Depths up to 8 need a palette (all 2^n entries
// unless the header names fewer); deeper pictures may carry an unused one,
// which a bare DIB's pixels still follow.
void PlacePaletteAndPixels(uint64_t position, uint32_t colorsUsed, const HeaderPlaces& places, size_t size,
                           BmpInfo& info)
{
    uint64_t paletteEntries = colorsUsed;
    if (info.BitCount <= 8) {
        const uint64_t maxEntries = uint64_t{1} << info.BitCount;
        if (paletteEntries == 0)
            paletteEntries = maxEntries;
        if (paletteEntries > maxEntries)
            Invalid();
    }
    const uint64_t entrySize = static_cast<uint64_t>(info.PaletteEntrySize);
    info.PaletteOffset = static_cast<size_t>(position);

    uint64_t pixelOffset = 0;
    if (info.HasFileHeader) {
        // The file names where the pixels start. Writers that leave out
        // palette entries they do not use put the pixels right after the
        // shorter palette: take only the entries that fit before the pixels.
        if (places.FileOffBits < position || places.FileOffBits > size)
            Invalid();
        pixelOffset = places.FileOffBits;
        if (info.BitCount <= 8) {
            const uint64_t fitting = (places.FileOffBits - position) / entrySize;
            if (fitting < paletteEntries)
                paletteEntries = fitting;
            if (paletteEntries == 0)
                Invalid();
        }
    } else {
        const uint64_t paletteBytes = paletteEntries * entrySize; // < 2^35: no overflow
        pixelOffset = position + paletteBytes;
        if (pixelOffset > size)
            Invalid();
    }
    info.PaletteEntries = info.BitCount <= 8 ? static_cast<uint32_t>(paletteEntries) : 0;
    info.PixelOffset = static_cast<size_t>(pixelOffset);
    info.PixelBytes = size - info.PixelOffset;
}

// Uncompressed rows must all be there; the last row may lack its padding.
void CheckRowsPresent(BmpInfo& info)
{
    const uint64_t rowBits = static_cast<uint64_t>(info.Width) * static_cast<uint64_t>(info.BitCount);
    info.RowStride = (rowBits + 31) / 32 * 4;
    if (IsRle(info.Compression))
        return;
    const uint64_t lastRowBytes = (rowBits + 7) / 8;
    if (lastRowBytes > info.PixelBytes)
        Invalid();
    const uint64_t rowsBeforeLast = static_cast<uint64_t>(info.Height) - 1;
    if (rowsBeforeLast > (info.PixelBytes - lastRowBytes) / info.RowStride)
        Invalid();
}

} // namespace

BmpInfo ReadBmpInfo(const uint8_t* data, size_t size)
{
    BmpInfo info;
    const HeaderPlaces places = ReadFileHeader(data, size, info);

    const uint32_t headerSize = LoadU32(data + places.InfoHeaderStart);
    if (!IsKnownInfoHeaderSize(headerSize) || places.InfoHeaderStart + headerSize > size)
        Invalid();
    info.InfoHeaderSize = headerSize;

    const uint32_t colorsUsed = ReadInfoHeader(data + places.InfoHeaderStart, info);
    const uint64_t position = ReadMasks(data, size, places.InfoHeaderStart, info);
    PlacePaletteAndPixels(position, colorsUsed, places, size, info);
    CheckRowsPresent(info);
    return info;
}
