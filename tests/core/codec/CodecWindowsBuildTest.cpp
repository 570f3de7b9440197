// The portable codecs as the Windows program gets them: compiled by MinGW
// against the static libjpeg-turbo. On 64-bit Windows longjmp unwinds the
// stack through SEH, so libjpeg's error exits are checked here as well as on
// the host: from the header, from deep inside a later scan, and an allocator
// that throws.

#include "JpegTestData.h"
#include "core/Exceptions.h"
#include "core/codec/JpegDecoder.h"

#include <gtest/gtest.h>
#include <jerror.h>
#include <jpeglib.h>
#include <stdexcept>

using namespace codec_test;

namespace {

PixelImage Decode(const std::vector<uint8_t>& bytes, int denom = 1, JpegDecodeResult* result = nullptr)
{
    JpegDecodeOptions options;
    options.ScaleDenom = denom;
    PixelImage picture;
    const JpegDecodeResult decoded = DecodeJpeg(bytes.data(), bytes.size(), options, picture.Allocator());
    if (result)
        *result = decoded;
    return picture;
}

int ErrorCode(const std::vector<uint8_t>& bytes, int denom = 1)
{
    try {
        Decode(bytes, denom);
    } catch (const EJPEG& error) {
        return error.MessageCode;
    }
    return -1;
}

} // namespace

TEST(CodecWindowsBuild, JpegDecodesLikePlainLibjpegAtFullAndEighthSize)
{
    const struct {
        const char* Name;
        JpegEncoding Encoding;
    } cases[] = {
        {"baseline 4:2:0", {85, false, 2}},
        {"progressive 4:2:0", {85, true, 2}},
        {"progressive 4:4:4", {90, true, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto bytes = EncodeTestJpeg(203, 157, c.Encoding);
        EXPECT_TRUE(SamePixels(DecodeWithPlainLibjpeg(bytes), Decode(bytes)));
        JpegDecodeResult result;
        EXPECT_TRUE(SamePixels(DecodeWithPlainLibjpeg(bytes, 8), Decode(bytes, 8, &result)));
        EXPECT_EQ(result.StoppedEarly, c.Encoding.Progressive);
    }
}

TEST(CodecWindowsBuild, LibjpegErrorsBecomeExceptionsAndDecodingGoesOn)
{
    const auto good = EncodeTestJpeg(64, 48, {85, true, 2});
    const auto badScan = WithBrokenScan(good, 2);
    const PixelImage expected = DecodeWithPlainLibjpeg(good);
    for (int round = 0; round < 50; ++round) {
        EXPECT_EQ(ErrorCode({'n', 'o', 't', ' ', 'J', 'P', 'E', 'G'}), JERR_NO_SOI);
        EXPECT_EQ(ErrorCode(badScan), JERR_BAD_PROGRESSION);
        EXPECT_EQ(ErrorCode(badScan, 8), JERR_BAD_PROGRESSION);
        const AllocatePixels refuse = [](int, int) -> PixelRows { throw std::runtime_error("refused"); };
        EXPECT_THROW(DecodeJpeg(good.data(), good.size(), {}, refuse), std::runtime_error);
        ASSERT_TRUE(SamePixels(expected, Decode(good)));
    }
}
