// BMP data whose headers lie, or that ends too soon: always "Bitmap image is
// not valid" (or "too large" for sizes that cannot be held), never a read
// outside the buffer (these run under AddressSanitizer).

#include "BmpBuilder.h"
#include "CodecTestSupport.h"
#include "core/Exceptions.h"
#include "core/codec/BmpCodec.h"

#include <gtest/gtest.h>

using namespace codec_test;

namespace {

// Decodes, counting calls of the allocator; returns the error text or "".
std::string DecodeError(const std::vector<uint8_t>& bytes, int* allocations = nullptr)
{
    PixelImage picture;
    const AllocatePixels allocate = [&](int width, int height) {
        if (allocations)
            ++*allocations;
        return picture.Allocator()(width, height);
    };
    try {
        DecodeBmp(bytes.data(), bytes.size(), allocate);
    } catch (const EInvalidGraphic& error) {
        return error.Message;
    }
    return "";
}

const std::string kInvalid = "Bitmap image is not valid";

BmpFields Valid8Bit()
{
    return {.Width = 8,
            .Height = 3,
            .BitCount = 8,
            .Palette = MakePalette(256, [](int i) { return i * 0x10101u; }),
            .Pixels = PackRows(8, 3, 8, [](int x, int y) { return uint32_t(x * y); })};
}

BmpFields ValidRle8(std::vector<uint8_t> data)
{
    BmpFields fields = Valid8Bit();
    fields.Compression = 1;
    fields.Pixels = std::move(data);
    return fields;
}

template <typename Change>
std::vector<uint8_t> Patched(BmpFields fields, Change change)
{
    change(fields);
    return BuildBmp(fields);
}

} // namespace

TEST(BmpInvalid, LyingHeaderFieldsAreRejected)
{
    const auto valid = BuildBmp(Valid8Bit());
    ASSERT_EQ(DecodeError(valid), "");
    struct Case {
        const char* Name;
        std::vector<uint8_t> Bytes;
    } cases[] = {
        {"pixel offset past the end", Patched(Valid8Bit(), [](BmpFields& s) { s.OffBits = 5000; })},
        {"pixel offset inside the header", Patched(Valid8Bit(), [](BmpFields& s) { s.OffBits = 30; })},
        {"palette count huge", Patched(Valid8Bit(), [](BmpFields& s) { s.ColorsUsed = 100000; })},
        {"palette count above the depth's",
         Patched(Valid8Bit(), [](BmpFields& s) { s.BitCount = 4, s.ColorsUsed = 17, s.Pixels.resize(12); })},
        {"bare DIB, 24-bit, huge unused palette",
         Patched(Valid8Bit(),
                 [](BmpFields& s) { s.FileHeader = false, s.BitCount = 24, s.ColorsUsed = 0x40000000; })},
        {"height x stride past 64 bits",
         Patched(Valid8Bit(),
                 [](BmpFields& s) { s.Width = 0x7FFFFFFF, s.Height = 0x7FFFFFFF, s.BitCount = 32; })},
        {"width x height past the data",
         Patched(Valid8Bit(), [](BmpFields& s) { s.Width = 40000, s.Height = 40000; })},
        {"width 0", Patched(Valid8Bit(), [](BmpFields& s) { s.Width = 0; })},
        {"height 0", Patched(Valid8Bit(), [](BmpFields& s) { s.Height = 0; })},
        {"negative width", Patched(Valid8Bit(), [](BmpFields& s) { s.Width = -8; })},
        {"most negative height", Patched(Valid8Bit(), [](BmpFields& s) { s.Height = INT32_MIN; })},
        {"7 bits per pixel", Patched(Valid8Bit(), [](BmpFields& s) { s.BitCount = 7; })},
        {"0 bits per pixel", Patched(Valid8Bit(), [](BmpFields& s) { s.BitCount = 0; })},
        {"JPEG inside", Patched(Valid8Bit(), [](BmpFields& s) { s.Compression = 4; })},
        {"PNG inside", Patched(Valid8Bit(), [](BmpFields& s) { s.Compression = 5; })},
        {"RLE4 on 8 bits", Patched(Valid8Bit(), [](BmpFields& s) { s.Compression = 2; })},
        {"RLE8 on 4 bits", Patched(Valid8Bit(), [](BmpFields& s) { s.Compression = 1, s.BitCount = 4; })},
        {"bit fields on 24 bits",
         Patched(Valid8Bit(),
                 [](BmpFields& s) {
                     s.BitCount = 24, s.Compression = 3, s.Masks = {0xFF, 0xFF00, 0xFF0000};
                 })},
        {"top-down RLE", Patched(ValidRle8({0, 1}), [](BmpFields& s) { s.Height = -3; })},
        {"mask with a hole", Patched(Valid8Bit(),
                                     [](BmpFields& s) {
                                         s.BitCount = 16, s.Compression = 3, s.Masks = {0xF0F, 0xF0, 0};
                                     })},
        {"mask wider than the pixel",
         Patched(Valid8Bit(),
                 [](BmpFields& s) {
                     s.BitCount = 16, s.Compression = 3, s.Masks = {0x1F0000, 0, 0};
                 })},
        {"masks missing", Patched(Valid8Bit(),
                                  [](BmpFields& s) {
                                      s.BitCount = 16, s.Compression = 3, s.Palette.clear(), s.Pixels.clear();
                                  })},
        {"unknown header size 64", Patched(Valid8Bit(), [](BmpFields& s) { s.HeaderSize = 64; })},
        {"core header with 16 bits",
         Patched(Valid8Bit(), [](BmpFields& s) { s.HeaderSize = 12, s.BitCount = 16, s.Palette.clear(); })},
        {"header larger than the data", std::vector<uint8_t>(valid.begin(), valid.begin() + 40)},
        {"nothing", {}},
        {"just BM", {'B', 'M'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        int allocations = 0;
        EXPECT_EQ(DecodeError(c.Bytes, &allocations), kInvalid);
        EXPECT_EQ(allocations, 0);
        EXPECT_THROW(ReadBmpInfo(c.Bytes.data(), c.Bytes.size()), EInvalidGraphic);
    }
}

TEST(BmpInvalid, RleThatLeavesThePictureIsRejected)
{
    struct Case {
        const char* Name;
        std::vector<uint8_t> Data; // 8 x 3 RLE8
    } cases[] = {
        {"run past the row", {0x09, 0x01, 0x00, 0x01}},
        {"run after a full row", {0x08, 0x01, 0x01, 0x01, 0x00, 0x01}},
        {"literal past the row", {0x05, 0x01, 0x00, 0x04, 1, 2, 3, 4, 0x00, 0x01}},
        {"jump past the right edge", {0x00, 0x02, 0x09, 0x00, 0x00, 0x01}},
        {"jump past the top", {0x00, 0x02, 0x00, 0x04, 0x00, 0x01}},
        {"data ends inside a row", {0x04, 0x01}},
        {"data ends inside a literal", {0x00, 0x05, 1, 2}},
        {"data ends inside a jump", {0x00, 0x02, 0x01}},
        {"no data", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(DecodeError(BuildBmp(ValidRle8(c.Data))), kInvalid);
    }
    // The same runs ending properly are fine: end of bitmap, or the last row's end of line.
    EXPECT_EQ(DecodeError(BuildBmp(ValidRle8({0x08, 0x01, 0x00, 0x01}))), "");
    EXPECT_EQ(DecodeError(BuildBmp(ValidRle8({0x00, 0x00, 0x00, 0x00, 0x08, 0x02, 0x00, 0x00}))), "");
}

TEST(BmpInvalid, EveryTruncationIsRejectedOrDecodesWhatIsThere)
{
    // Uncompressed data shorter than its last row's padding allows, and RLE
    // data cut before its last row ends, are invalid; nothing reads past.
    const auto rle = BuildBmp(ValidRle8({0x08, 0x01, 0x00, 0x00, 0x04, 0x02, 0x00, 0x03, 7,    8,
                                         9,    0x00, 0x00, 0x00, 0x08, 0x05, 0x00, 0x00, 0x00, 0x01}));
    struct Case {
        const char* Name;
        std::vector<uint8_t> Bytes;
        size_t ShortestValid;
    } cases[] = {
        {"8-bit", BuildBmp(Valid8Bit()), 0},
        {"24-bit odd width",
         BuildBmp({.Width = 5,
                   .Height = 3,
                   .Pixels = PackRows(5, 3, 24, [](int x, int) { return uint32_t(x) * 0x30201; })}),
         0},
        {"4-bit",
         BuildBmp({.Width = 7,
                   .Height = 2,
                   .BitCount = 4,
                   .Palette = MakePalette(16, [](int i) { return i * 0x0F0F0Fu; }),
                   .Pixels = PackRows(7, 2, 4, [](int x, int) { return uint32_t(x); })}),
         0},
        {"RLE8", rle, rle.size() - 2}, // the end-of-bitmap code may go
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const BmpInfo info = ReadBmpInfo(c.Bytes.data(), c.Bytes.size());
        if (c.ShortestValid == 0) // uncompressed: all rows, the last one's padding aside
            c.ShortestValid = c.Bytes.size() - (info.RowStride - (info.Width * info.BitCount + 7) / 8);
        EXPECT_EQ(DecodeError(c.Bytes), "");
        for (size_t length = 0; length < c.Bytes.size(); ++length) {
            // A copy of exactly `length` bytes, so the sanitizer sees any read past.
            const std::vector<uint8_t> cut(c.Bytes.begin(), c.Bytes.begin() + static_cast<ptrdiff_t>(length));
            EXPECT_EQ(DecodeError(cut), length < c.ShortestValid ? kInvalid : "") << "length " << length;
        }
    }
}

TEST(BmpInvalid, PicturesTooLargeToHoldAreRefusedBeforeAllocating)
{
    // RLE data can declare any size in a few bytes: 40000 x 40000 is 4.8 GB
    // at 24 bits.
    BmpFields fields = ValidRle8({0x00, 0x01});
    fields.Width = 40000;
    fields.Height = 40000;
    int allocations = 0;
    EXPECT_EQ(DecodeError(BuildBmp(fields), &allocations), "Image is too large (40000 x 40000 pixels)");
    EXPECT_EQ(allocations, 0);
    // A one-pixel-wide picture two billion rows high.
    fields.Width = 1;
    fields.Height = INT32_MAX;
    EXPECT_EQ(DecodeError(BuildBmp(fields), &allocations), "Image is too large (1 x 2147483647 pixels)");
    EXPECT_EQ(allocations, 0);
    // ReadBmpInfo only describes: the size is fine to report.
    const auto bytes = BuildBmp(fields);
    EXPECT_EQ(ReadBmpInfo(bytes.data(), bytes.size()).Height, INT32_MAX);
}
