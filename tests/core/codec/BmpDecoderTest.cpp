// The BMP reader against ImageMagick's reading of the same files.

#include "BmpBuilder.h"
#include "CodecTestSupport.h"
#include "core/Exceptions.h"
#include "core/codec/BmpCodec.h"

#include <gtest/gtest.h>

using namespace codec_test;

namespace {

// ImageMagick's picture of BMP bytes (alpha dropped).
PixelImage MagickReference(const std::vector<uint8_t>& bmp)
{
    WriteBytes(ScratchDir() / "reference.bmp", bmp);
    RunTool("convert " + Scratch("reference.bmp") + " -alpha off -depth 8 " + Scratch("reference.ppm"));
    return ReadPnm(ScratchDir() / "reference.ppm");
}

uint32_t Colour(int i)
{
    return (static_cast<uint32_t>(i) * 0x9E3779B1u) >> 8;
}

// A few distinct values per row and column, so row order and bit order show.
uint32_t Index(int x, int y, int colours)
{
    return static_cast<uint32_t>((x * 7 + y * 3 + x * y) % colours);
}

} // namespace

TEST(BmpDecoder, FilesWrittenByImageMagickMatchItsOwnReading)
{
    struct Case {
        const char* Options;
        const char* Format;
        int BitCount;
        uint32_t HeaderSize;
        BmpCompression Compression;
    } cases[] = {
        {"", "BMP", 24, 124, BmpCompression::Rgb},
        {"", "BMP3", 24, 40, BmpCompression::Rgb},
        {"", "BMP2", 24, 12, BmpCompression::Rgb},
        {"-alpha set -channel A -evaluate set 60% +channel", "BMP", 32, 124, BmpCompression::BitFields},
        {"-define bmp:subtype=RGB565", "BMP", 16, 124, BmpCompression::BitFields},
        {"-define bmp:subtype=RGB555", "BMP", 16, 124, BmpCompression::BitFields},
        {"-colors 200 -type Palette -compress None", "BMP3", 8, 40, BmpCompression::Rgb},
        {"-colors 200 -type Palette", "BMP3", 8, 40, BmpCompression::Rle8},
        {"-colors 200 -type Palette", "BMP", 8, 124, BmpCompression::Rle8},
        {"-colors 200 -type Palette", "BMP2", 8, 12, BmpCompression::Rgb},
        {"-colors 12 -type Palette -compress None", "BMP3", 4, 40, BmpCompression::Rgb},
        {"-monochrome", "BMP3", 1, 40, BmpCompression::Rgb},
    };
    for (const Case& c : cases)
        for (auto [width, height] : {std::pair{37, 23}, std::pair{1, 1}, std::pair{64, 3}}) {
            SCOPED_TRACE(std::string(c.Options) + " " + c.Format + " " + std::to_string(width) + "x" +
                         std::to_string(height));
            WritePpm(ScratchDir() / "magick-source.ppm", MakeTestPicture(width, height, 5));
            RunTool("convert " + Scratch("magick-source.ppm") + " " + c.Options + " " + c.Format + ":" +
                    Scratch("magick.bmp"));
            const auto bytes = ReadBytes(ScratchDir() / "magick.bmp");
            const BmpInfo info = ReadBmpInfo(bytes.data(), bytes.size());
            EXPECT_EQ(info.Width, width);
            EXPECT_EQ(info.Height, height);
            if (width * height > 100) { // tiny pictures get the fewest bits their colours need
                EXPECT_EQ(info.BitCount, c.BitCount);
                EXPECT_EQ(info.InfoHeaderSize, c.HeaderSize);
                EXPECT_EQ(info.Compression, c.Compression);
            }
            const PixelImage expected = MagickReference(bytes);
            EXPECT_TRUE(SamePixels(expected, DecodeBmpImage(bytes)));

            // The same bitmap without its file header, as a resource stores
            // it: ImageMagick leaves no gap before the pixels, so it is one.
            ASSERT_EQ(info.PixelOffset, info.PaletteOffset + info.PaletteEntries * info.PaletteEntrySize);
            const std::vector<uint8_t> bare(bytes.begin() + 14, bytes.end());
            EXPECT_FALSE(ReadBmpInfo(bare.data(), bare.size()).HasFileHeader);
            EXPECT_TRUE(SamePixels(expected, DecodeBmpImage(bare)));
        }
}

TEST(BmpDecoder, HeaderVariantsNoEncoderWritesMatchImageMagick)
{
    const int w = 13, h = 6;
    const auto rgb = [](int x, int y) { return Colour(x + 17 * y); };
    const auto indexed = [](int bits) { return [bits](int x, int y) { return Index(x, y, 1 << bits); }; };
    struct Case {
        const char* Name;
        BmpFields Fields;
    } cases[] = {
        {"32-bit plain, junk in the fourth byte",
         {.Width = w,
          .Height = h,
          .BitCount = 32,
          .Pixels = PackRows(w, h, 32, [&](int x, int y) { return rgb(x, y) | (uint32_t(x * 40) << 24); })}},
        {"16-bit plain is 5-5-5",
         {.Width = w,
          .Height = h,
          .BitCount = 16,
          .Pixels = PackRows(w, h, 16, [](int x, int y) { return uint32_t(x * 2521 + y * 997) & 0x7FFF; })}},
        {"16-bit 5-6-5 masks after a 40-byte header",
         {.Width = w,
          .Height = h,
          .BitCount = 16,
          .Compression = 3,
          .Masks = {0xF800, 0x07E0, 0x001F},
          .Pixels = PackRows(w, h, 16, [](int x, int y) { return uint32_t(x * 2521 + y * 997) & 0xFFFF; })}},
        {"V4 header, 32-bit masks in the header",
         {.HeaderSize = 108,
          .Width = w,
          .Height = h,
          .BitCount = 32,
          .Compression = 3,
          .Masks = {0xFF, 0xFF00, 0xFF0000, 0},
          .Pixels = PackRows(w, h, 32, [&](int x, int y) { return rgb(x, y); })}},
        {"top-down 24-bit",
         {.Width = w,
          .Height = -h,
          .BitCount = 24,
          .Pixels = PackRows(
              w, h, 24, [&](int x, int y) { return rgb(x, y); }, true)}},
        {"top-down 8-bit",
         {.Width = w,
          .Height = -h,
          .BitCount = 8,
          .Palette = MakePalette(256, Colour),
          .Pixels = PackRows(w, h, 8, indexed(8), true)}},
        {"4-bit with a 5-entry palette",
         {.Width = w,
          .Height = h,
          .BitCount = 4,
          .ColorsUsed = 5,
          .Palette = MakePalette(5, Colour),
          .Pixels = PackRows(w, h, 4, [](int x, int y) { return Index(x, y, 5); })}},
        {"1-bit top-down",
         {.Width = 19,
          .Height = -h,
          .BitCount = 1,
          .Palette = MakePalette(2, Colour),
          .Pixels = PackRows(19, h, 1, indexed(1), true)}},
        {"core header, 4-bit",
         {.HeaderSize = 12,
          .Width = w,
          .Height = h,
          .BitCount = 4,
          .Palette =
              [] {
                  std::vector<uint8_t> p;
                  for (int i = 0; i < 16; ++i)
                      p.insert(p.end(),
                               {uint8_t(Colour(i)), uint8_t(Colour(i) >> 8), uint8_t(Colour(i) >> 16)});
                  return p;
              }(),
          .Pixels = PackRows(w, h, 4, indexed(4))}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto bytes = BuildBmp(c.Fields);
        EXPECT_TRUE(SamePixels(MagickReference(bytes), DecodeBmpImage(bytes)));
    }
}

TEST(BmpDecoder, BitFieldsScaleToFullEightBits)
{
    // Narrow fields repeat their bits (5-bit 3 = 00011 -> 00011000 | 000 =
    // 24, as GDI and ImageMagick widen 5-5-5); wide ones round. Either way
    // the field's full scale is 255.
    struct Case {
        uint32_t Mask;
        uint32_t Value;
        uint8_t Expected;
    } cases[] = {
        {0x7C00, 0, 0},          {0x7C00, 3, 24},    {0x7C00, 16, 132},  {0x7C00, 31, 255},
        {0x07E0, 1, 4},          {0x07E0, 33, 134},  {0x07E0, 63, 255},  {0x0F00, 11, 187},
        {0x0F00, 15, 255},       {0x0004, 1, 255},   {0x0018, 2, 170},   {0x3FF00000, 980, 244},
        {0x3FF00000, 1023, 255}, {0x3FF00000, 2, 0}, {0x3FF00000, 3, 1}, {0xFFFF0000, 0x8080, 128},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.Mask << " " << c.Value);
        int shift = 0;
        while (((c.Mask >> shift) & 1) == 0)
            ++shift;
        const int bits = c.Mask > 0xFFFF ? 32 : 16;
        const auto bytes =
            BuildBmp({.Width = 1,
                      .Height = 1,
                      .BitCount = uint16_t(bits),
                      .Compression = 3,
                      .Masks = {c.Mask, 0, 0},
                      .Pixels = PackRows(1, 1, bits, [&](int, int) { return c.Value << shift; })});
        const PixelImage decoded = DecodeBmpImage(bytes);
        EXPECT_EQ(decoded.Row(0)[2], c.Expected); // red
        EXPECT_EQ(decoded.Row(0)[1], 0);
    }
    // ImageMagick agrees on every 5-5-5 value.
    const auto ramp =
        BuildBmp({.Width = 32, .Height = 1, .BitCount = 16, .Pixels = PackRows(32, 1, 16, [](int x, int) {
                                                                return uint32_t(x) * 0x421;
                                                            })});
    EXPECT_TRUE(SamePixels(MagickReference(ramp), DecodeBmpImage(ramp)));
}

TEST(BmpDecoder, InfoHeaderVariantsWithMasksInside)
{
    // Sizes 52 and 56 carry the masks inside the header like V4 and V5.
    const auto value = [](int x, int y) { return uint32_t(x * 2521 + y * 997) & 0xFFFF; };
    const BmpFields outside{.Width = 9,
                            .Height = 4,
                            .BitCount = 16,
                            .Compression = 3,
                            .Masks = {0xF800, 0x07E0, 0x001F},
                            .Pixels = PackRows(9, 4, 16, value)};
    const PixelImage expected = DecodeBmpImage(BuildBmp(outside));
    for (uint32_t size : {52u, 56u, 108u, 124u}) {
        SCOPED_TRACE(size);
        BmpFields inside = outside;
        inside.HeaderSize = size;
        EXPECT_TRUE(SamePixels(expected, DecodeBmpImage(BuildBmp(inside))));
    }
}

TEST(BmpDecoder, RleRunsLiteralsJumpsAndEarlyEnds)
{
    // 8 x 3, bottom row first. Skipped pixels (jump, early end of line or
    // bitmap) stay black. ImageMagick reads skipped pixels as entry 0, black
    // here, but refuses RLE4 that skips any: those are checked by hand only.
    const auto palette = MakePalette(16, [](int i) { return i == 0 ? 0u : Colour(i); });
    using Rows = std::vector<std::vector<int>>;
    struct Case {
        const char* Name;
        int BitCount;
        uint32_t Compression;
        std::vector<uint8_t> Data;
        Rows Expected; // palette indexes, top row first
        bool MagickReadsIt;
    } cases[] = {
        {"RLE4 runs and literals",
         4,
         2,
         {
             0x05, 0x12, 0x00, 0x03, 0x34, 0x50, // bottom: 1 2 1 2 1, literal 3 4 5
             0x00, 0x00,                         // end of line
             0x00, 0x04, 0x67, 0x89, 0x04, 0xAB, // literal 6 7 8 9, run A B A B
             0x00, 0x00,                         //
             0x08, 0xCD, 0x00, 0x01,             // top: C D C D C D C D, end of bitmap
         },
         {{0xC, 0xD, 0xC, 0xD, 0xC, 0xD, 0xC, 0xD},
          {6, 7, 8, 9, 0xA, 0xB, 0xA, 0xB},
          {1, 2, 1, 2, 1, 3, 4, 5}},
         true},
        {"RLE4 jump and early end",
         4,
         2,
         {
             0x00, 0x00,                         // bottom row: nothing
             0x00, 0x05, 0x12, 0x34, 0x50, 0x00, // literal 1 2 3 4 5 + pad
             0x00, 0x00,                         //
             0x02, 0xCD, 0x00, 0x02, 0x03, 0x00, // top: C D, jump 3 right
             0x02, 0xEF, 0x00, 0x01,             // E F, end of bitmap (last pixel skipped)
         },
         {{0xC, 0xD, 0, 0, 0, 0xE, 0xF, 0}, {1, 2, 3, 4, 5, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},
         false},
        {"RLE8 literal padding, jump and early ends",
         8,
         1,
         {
             0x03, 0x05, 0x00, 0x03, 0x01, 0x02, 0x03, 0x00, // bottom: 5 5 5, literal 1 2 3 + pad
             0x01, 0x04, 0x00, 0x00,                         // 4, end of line (last pixel skipped)
             0x00, 0x02, 0x02, 0x01,                         // jump 2 right, 1 up: into the top row
             0x06, 0x09, 0x00, 0x01,                         // six 9s, end of bitmap
         },
         {{0, 0, 9, 9, 9, 9, 9, 9}, {0, 0, 0, 0, 0, 0, 0, 0}, {5, 5, 5, 1, 2, 3, 4, 0}},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto bytes = BuildBmp({.Width = 8,
                                     .Height = 3,
                                     .BitCount = uint16_t(c.BitCount),
                                     .Compression = c.Compression,
                                     .ColorsUsed = 16,
                                     .Palette = palette,
                                     .Pixels = c.Data});
        const PixelImage expected = MakePicture(8, 3, [&](int x, int y) {
            const int index = c.Expected[y][x];
            return index == 0 ? 0u : Colour(index);
        });
        const PixelImage decoded = DecodeBmpImage(bytes);
        EXPECT_TRUE(SamePixels(expected, decoded));
        if (c.MagickReadsIt) {
            EXPECT_TRUE(SamePixels(MagickReference(bytes), decoded));
        }
    }
}

TEST(BmpDecoder, RleRunsMayFillTheRowsPaddingButNoFurther)
{
    // Width 5 at 8 bits is stored 8 wide: runs to 8 are kept (ImageMagick
    // writes such files), the 3 padding pixels dropped.
    const auto palette = MakePalette(16, [](int i) { return i == 0 ? 0u : Colour(i); });
    const auto rle = [&](std::vector<uint8_t> data) {
        return BuildBmp({.Width = 5,
                         .Height = 1,
                         .BitCount = 8,
                         .Compression = 1,
                         .ColorsUsed = 16,
                         .Palette = palette,
                         .Pixels = std::move(data)});
    };
    const auto filled = rle({0x03, 0x01, 0x05, 0x02, 0x00, 0x01});
    EXPECT_TRUE(SamePixels(MakePicture(5, 1, [](int x, int) { return Colour(x < 3 ? 1 : 2); }),
                           DecodeBmpImage(filled)));
    EXPECT_TRUE(SamePixels(MagickReference(filled), DecodeBmpImage(filled)));
    EXPECT_THROW(DecodeBmpImage(rle({0x03, 0x01, 0x06, 0x02, 0x00, 0x01})), EInvalidGraphic);
}

TEST(BmpDecoder, ToleratesWhatHarmlessWritersGetWrong)
{
    const auto pixels = PackRows(6, 2, 8, [](int x, int y) { return uint32_t(x + 6 * y); });
    const PixelImage expected = MakePicture(6, 2, [](int x, int y) { return Colour(x + 6 * y); });
    // The file header's total size is ignored, whatever it says.
    for (uint32_t fileSize : {0u, 7u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(fileSize);
        const auto bytes = BuildBmp({.Width = 6,
                                     .Height = 2,
                                     .BitCount = 8,
                                     .Palette = MakePalette(256, Colour),
                                     .Pixels = pixels,
                                     .FileSize = fileSize});
        EXPECT_TRUE(SamePixels(expected, DecodeBmpImage(bytes)));
    }
    // A palette cut short where the file says the pixels start; indexes past
    // it are black. Also a gap between palette and pixels.
    const auto shortPalette = BuildBmp(
        {.Width = 6, .Height = 2, .BitCount = 8, .Palette = MakePalette(8, Colour), .Pixels = pixels});
    EXPECT_TRUE(
        SamePixels(MakePicture(6, 2, [](int x, int y) { return x + 6 * y < 8 ? Colour(x + 6 * y) : 0; }),
                   DecodeBmpImage(shortPalette)));
    auto gap = BuildBmp({.Width = 6,
                         .Height = 2,
                         .BitCount = 8,
                         .Palette = MakePalette(256, Colour),
                         .OffBits = 14 + 40 + 1024 + 8});
    gap.insert(gap.end(), 8, 0xEE);
    gap.insert(gap.end(), pixels.begin(), pixels.end());
    EXPECT_TRUE(SamePixels(expected, DecodeBmpImage(gap)));
    // The last row without its padding.
    auto unpadded = BuildBmp(
        {.Width = 6, .Height = 2, .BitCount = 8, .Palette = MakePalette(256, Colour), .Pixels = pixels});
    unpadded.resize(unpadded.size() - 2);
    EXPECT_TRUE(SamePixels(expected, DecodeBmpImage(unpadded)));
}
