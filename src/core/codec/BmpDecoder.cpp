// Turning checked BMP data (see BmpHeader.cpp) into 24-bit B, G, R rows.

#include "core/Exceptions.h"
#include "core/codec/BmpCodec.h"
#include "core/codec/LittleEndian.h"

#include <array>
#include <cstring>

namespace {

[[noreturn]] void Invalid()
{
    throw EInvalidGraphic::InvalidBitmap();
}

struct Bgr {
    uint8_t B = 0, G = 0, R = 0;
};

// 256 entries whatever the stored count: indexes past the stored palette
// read black instead of memory behind it.
using Palette = std::array<Bgr, 256>;

Palette ReadPalette(const uint8_t* data, const BmpInfo& info)
{
    Palette palette{};
    const uint8_t* entry = data + info.PaletteOffset;
    for (uint32_t i = 0; i < info.PaletteEntries; ++i, entry += info.PaletteEntrySize)
        palette[i] = {entry[0], entry[1], entry[2]};
    return palette;
}

void Put(uint8_t* pixel, const Bgr& colour)
{
    pixel[0] = colour.B;
    pixel[1] = colour.G;
    pixel[2] = colour.R;
}

// One colour of a 16- or 32-bit pixel, scaled to 8 bits so that full scale
// stays full scale: fields narrower than 8 bits repeat their bits (5 bits
// abcde become abcdeabc, as GDI and ImageMagick widen 5-5-5 and 5-6-5);
// wider ones are rounded to the nearest 8-bit value.
class Channel {
public:
    explicit Channel(uint32_t mask) : Mask(mask)
    {
        if (mask == 0)
            return;
        while (((mask >> Shift) & 1) == 0)
            ++Shift;
        while (Shift + Bits < 32 && ((mask >> (Shift + Bits)) & 1) != 0)
            ++Bits;
    }

    uint8_t Extract(uint32_t pixel) const
    {
        if (Bits == 0)
            return 0;
        const uint32_t value = (pixel & Mask) >> Shift;
        if (Bits == 8)
            return static_cast<uint8_t>(value);
        if (Bits > 8) {
            const uint64_t full = (uint64_t{1} << Bits) - 1;
            return static_cast<uint8_t>((value * uint64_t{255} + full / 2) / full);
        }
        uint32_t widened = value;
        int have = Bits;
        while (have < 8) {
            widened = (widened << Bits) | value;
            have += Bits;
        }
        return static_cast<uint8_t>(widened >> (have - 8));
    }

private:
    uint32_t Mask;
    int Shift = 0;
    int Bits = 0;
};

void DecodeIndexedRow(const uint8_t* source, int width, int bitCount, const Palette& palette, uint8_t* out)
{
    const int perByte = 8 / bitCount;
    const unsigned indexMask = (1u << bitCount) - 1;
    for (int x = 0; x < width; ++x, out += 3) {
        const int shift = 8 - bitCount * (x % perByte + 1); // leftmost pixel in the high bits
        Put(out, palette[(source[x / perByte] >> shift) & indexMask]);
    }
}

void DecodeUncompressed(const uint8_t* data, const BmpInfo& info, const PixelRows& rows)
{
    const Palette palette = info.BitCount <= 8 ? ReadPalette(data, info) : Palette{};
    const Channel red(info.Masks.Red), green(info.Masks.Green), blue(info.Masks.Blue);
    const uint8_t* stored = data + info.PixelOffset;
    for (int i = 0; i < info.Height; ++i, stored += info.RowStride) {
        uint8_t* out = rows.Row(info.TopDown ? i : info.Height - 1 - i);
        switch (info.BitCount) {
        case 1:
        case 4:
        case 8:
            DecodeIndexedRow(stored, info.Width, info.BitCount, palette, out);
            break;
        case 16:
            for (int x = 0; x < info.Width; ++x, out += 3) {
                const uint32_t pixel = LoadU16(stored + 2 * x);
                Put(out, {blue.Extract(pixel), green.Extract(pixel), red.Extract(pixel)});
            }
            break;
        case 24:
            std::memcpy(out, stored, static_cast<size_t>(info.Width) * 3);
            break;
        case 32:
            for (int x = 0; x < info.Width; ++x, out += 3) {
                const uint32_t pixel = LoadU32(stored + 4 * x);
                Put(out, {blue.Extract(pixel), green.Extract(pixel), red.Extract(pixel)});
            }
            break;
        default:
            Invalid();
        }
    }
}

// RLE8 / RLE4 data: (count, value) runs, and escapes after a zero count for
// end of line (0), end of bitmap (1), a jump (2, right, up) and literal pixels
// (3..255, padded to an even number of bytes). Rows run bottom-up.
//
// Some writers (ImageMagick among them) encode each row to its padded
// width, the row's 4-byte multiple: runs may fill that padding, and what
// lands there is dropped. A run or jump past it or past the picture, or data
// ending before the last row, makes the bitmap invalid.
class RleDecoder {
public:
    RleDecoder(const uint8_t* data, const BmpInfo& info, const PixelRows& rows)
        : Next(data + info.PixelOffset), End(data + info.PixelOffset + info.PixelBytes), Info(info),
          Rows(rows), Colours(ReadPalette(data, info)), Is4Bit(info.Compression == BmpCompression::Rle4),
          PaddedWidth(static_cast<int64_t>(info.RowStride * 8 / static_cast<uint64_t>(info.BitCount)))
    {
    }

    void Run()
    {
        while (Y < Info.Height) {
            const uint8_t count = Byte();
            const uint8_t value = Byte();
            if (count > 0) {
                Repeat(count, value);
                continue;
            }
            switch (value) {
            case 0: // end of line
                X = 0;
                ++Y;
                break;
            case 1:
                return; // end of bitmap: the rest stays black
            case 2: {
                const int right = Byte();
                const int up = Byte();
                if (X + right > PaddedWidth || Y + up > Info.Height)
                    Invalid();
                X += right;
                Y += up;
                break;
            }
            default:
                Literal(value);
                break;
            }
        }
    }

private:
    uint8_t Byte()
    {
        if (Next == End)
            Invalid(); // data ends before the picture does
        return *Next++;
    }

    void Pixel(unsigned index)
    {
        if (X < Info.Width)
            Put(Rows.Row(Info.Height - 1 - Y) + 3 * static_cast<ptrdiff_t>(X), Colours[index]);
        ++X;
    }

    void CheckRoom(int count) const
    {
        if (Y >= Info.Height || count > PaddedWidth - X)
            Invalid();
    }

    // `count` pixels of `value`; in RLE4 the two nibbles alternate, high first.
    void Repeat(int count, uint8_t value)
    {
        CheckRoom(count);
        for (int i = 0; i < count; ++i)
            Pixel(Is4Bit ? ((i % 2 == 0) ? value >> 4 : value & 0x0F) : value);
    }

    void Literal(int count)
    {
        CheckRoom(count);
        const int bytes = Is4Bit ? (count + 1) / 2 : count;
        uint8_t pair = 0;
        for (int i = 0; i < count; ++i) {
            if (!Is4Bit) {
                Pixel(Byte());
                continue;
            }
            if (i % 2 == 0)
                pair = Byte();
            Pixel((i % 2 == 0) ? pair >> 4 : pair & 0x0F);
        }
        if (bytes % 2 != 0)
            Byte(); // literal runs end on a 16-bit boundary
    }

    const uint8_t* Next;
    const uint8_t* const End;
    const BmpInfo& Info;
    const PixelRows& Rows;
    const Palette Colours;
    const bool Is4Bit;
    const int64_t PaddedWidth; // pixels in a row's stored width, padding included
    int64_t X = 0;
    int Y = 0;
};

void Blacken(const BmpInfo& info, const PixelRows& rows)
{
    for (int y = 0; y < info.Height; ++y)
        std::memset(rows.Row(y), 0, static_cast<size_t>(info.Width) * 3);
}

} // namespace

void DecodeBmp(const uint8_t* data, size_t size, const AllocatePixels& allocate)
{
    const BmpInfo info = ReadBmpInfo(data, size);
    CheckDecodedSize(Dib24Bytes(static_cast<uint64_t>(info.Width), static_cast<uint64_t>(info.Height)),
                     kMaxDecodedBytes, info.Width, info.Height);
    const PixelRows rows = allocate(info.Width, info.Height);
    if (info.Compression == BmpCompression::Rle8 || info.Compression == BmpCompression::Rle4) {
        Blacken(info, rows);
        RleDecoder(data, info, rows).Run();
    } else {
        DecodeUncompressed(data, info, rows);
    }
}
