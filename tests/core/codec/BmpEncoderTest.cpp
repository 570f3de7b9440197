// The 24-bit BMP writer.

#include "CodecTestSupport.h"
#include "core/Exceptions.h"
#include "core/codec/BmpCodec.h"
#include "core/codec/LittleEndian.h"

#include <gtest/gtest.h>

using namespace codec_test;

TEST(BmpEncoder, WritesTheStandardHeadersAndBottomUpPaddedRows)
{
    const PixelImage picture = MakeTestPicture(5, 3);
    PixelImage source = picture;
    const auto bytes = EncodeBmp24(5, 3, source.Rows());
    const size_t stride = 16; // 15 bytes of pixels + 1 of padding
    ASSERT_EQ(bytes.size(), 54 + 3 * stride);
    const uint8_t* p = bytes.data();
    EXPECT_EQ(p[0], 'B');
    EXPECT_EQ(p[1], 'M');
    EXPECT_EQ(LoadU32(p + 2), bytes.size()); // file size
    EXPECT_EQ(LoadU32(p + 6), 0u);           // reserved
    EXPECT_EQ(LoadU32(p + 10), 54u);         // pixel offset
    EXPECT_EQ(LoadU32(p + 14), 40u);         // info header size
    EXPECT_EQ(LoadI32(p + 18), 5);
    EXPECT_EQ(LoadI32(p + 22), 3); // positive: bottom-up
    EXPECT_EQ(LoadU16(p + 26), 1);
    EXPECT_EQ(LoadU16(p + 28), 24);
    EXPECT_EQ(LoadU32(p + 30), 0u); // uncompressed
    EXPECT_EQ(LoadU32(p + 34), 3 * stride);
    for (int offset = 38; offset < 54; offset += 4)
        EXPECT_EQ(LoadU32(p + offset), 0u) << offset; // resolution and colour counts
    for (int stored = 0; stored < 3; ++stored) {
        const uint8_t* row = p + 54 + stored * stride;
        EXPECT_TRUE(std::equal(row, row + 15, picture.Row(2 - stored))) << stored;
        EXPECT_EQ(row[15], 0) << "padding of row " << stored;
    }
}

TEST(BmpEncoder, RoundTripsThroughTheReaderAndImageMagick)
{
    for (auto [width, height] : {std::pair{1, 1}, std::pair{2, 5}, std::pair{97, 61}, std::pair{256, 2}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        PixelImage picture = MakeTestPicture(width, height, 9);
        const auto bytes = EncodeBmp24(width, height, picture.Rows());
        EXPECT_TRUE(SamePixels(picture, DecodeBmpImage(bytes)));

        WriteBytes(ScratchDir() / "written.bmp", bytes);
        RunTool("convert " + Scratch("written.bmp") + " -depth 8 " + Scratch("written.ppm"));
        EXPECT_TRUE(SamePixels(picture, ReadPnm(ScratchDir() / "written.ppm")));
    }
}

TEST(BmpEncoder, StreamsWholeRowsInFewCallsFromABottomUpSource)
{
    // A bottom-up source, as a DIB section stores it: negative stride. The
    // source's padding bytes hold junk, which must not reach the file.
    for (auto [width, height] : {std::pair{3, 4}, std::pair{1001, 900}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        PixelImage picture = MakeTestPicture(width, height, 4);
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
        std::vector<uint8_t> bottomUp(stride * static_cast<size_t>(height), 0xA5);
        for (int y = 0; y < height; ++y)
            std::copy(picture.Row(y), picture.Row(y) + width * 3,
                      bottomUp.data() + (height - 1 - y) * stride);
        const PixelRows source{bottomUp.data() + (height - 1) * stride, -static_cast<ptrdiff_t>(stride)};

        std::vector<size_t> calls;
        std::vector<uint8_t> written;
        WriteBmp24(width, height, source, [&](const void* data, size_t count) {
            calls.push_back(count);
            const auto* first = static_cast<const uint8_t*>(data);
            written.insert(written.end(), first, first + count);
        });
        ASSERT_EQ(written.size(), 54 + stride * height);
        EXPECT_EQ(calls.front(), 54u);
        // After the headers, whole rows per call, many rows at once.
        for (size_t i = 1; i < calls.size(); ++i)
            EXPECT_EQ(calls[i] % stride, 0u) << i;
        EXPECT_LE(calls.size(), 1 + written.size() / (64 * 1024) + 1);
        EXPECT_TRUE(SamePixels(picture, DecodeBmpImage(written)));
        for (int row = 0; row < height; ++row)
            for (size_t pad = static_cast<size_t>(width) * 3; pad < stride; ++pad)
                ASSERT_EQ(written[54 + row * stride + pad], 0) << "padding of row " << row;
    }
}

TEST(BmpEncoder, RefusesEmptyAndOversizedPictures)
{
    const auto message = [](int width, int height) {
        try {
            EncodeBmp24(width, height, PixelRows{}); // never read: refused first
        } catch (const EInvalidGraphic& error) {
            return error.Message;
        }
        return std::string();
    };
    EXPECT_EQ(message(0, 5), "Bitmap image is not valid");
    EXPECT_EQ(message(5, 0), "Bitmap image is not valid");
    EXPECT_EQ(message(-1, 5), "Bitmap image is not valid");
    EXPECT_EQ(message(40000, 40000), "Image is too large (40000 x 40000 pixels)"); // > 4 GiB file
}
