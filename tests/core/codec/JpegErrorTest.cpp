// What the JPEG decoder does with data it must refuse.

#include "JpegTestFiles.h"
#include "core/Exceptions.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <jerror.h>
#include <jpeglib.h>
#include <stdexcept>

using namespace codec_test;

namespace {

// The message code of the EJPEG that decoding `bytes` raises, or -1; its
// text, "JPEG error #n: " and the reason in words, goes to `reason`.
int DecodeErrorCode(const std::vector<uint8_t>& bytes, const JpegDecodeOptions& options = {},
                    std::string* reason = nullptr)
{
    try {
        DecodeJpegImage(bytes, options);
    } catch (const EJPEG& error) {
        const std::string prefix = "JPEG error #" + std::to_string(error.MessageCode) + ": ";
        EXPECT_EQ(error.Message.rfind(prefix, 0), 0u) << error.Message;
        if (reason)
            *reason = error.Message.substr(prefix.size());
        return error.MessageCode;
    }
    return -1;
}

int InfoErrorCode(const std::vector<uint8_t>& bytes, std::string* reason = nullptr)
{
    try {
        ReadJpegInfo(bytes.data(), bytes.size());
    } catch (const EJPEG& error) {
        if (reason)
            *reason = error.Message.substr(error.Message.find(": ") + 2);
        return error.MessageCode;
    }
    return -1;
}

const JpegSegment& FindSegment(const std::vector<JpegSegment>& segments, uint8_t marker)
{
    for (const JpegSegment& segment : segments)
        if (segment.Marker == marker)
            return segment;
    throw std::runtime_error("marker not found");
}

// Declares width x height in the frame header (SOF0 or SOF2).
void SetFrameSize(std::vector<uint8_t>& bytes, uint8_t sofMarker, int width, int height)
{
    const size_t sof = FindSegment(JpegSegments(bytes), sofMarker).Start;
    bytes[sof + 5] = static_cast<uint8_t>(height >> 8);
    bytes[sof + 6] = static_cast<uint8_t>(height);
    bytes[sof + 7] = static_cast<uint8_t>(width >> 8);
    bytes[sof + 8] = static_cast<uint8_t>(width);
}

} // namespace

TEST(JpegErrors, MalformedHeadersRaiseLibjpegsMessageCodeAndSayWhyInWords)
{
    const auto good = ReadBytes(MakeJpeg("errors-good", 24, 16, "-quality 80"));
    const size_t sof = FindSegment(JpegSegments(good), 0xC0).Start;
    const size_t dqt = FindSegment(JpegSegments(good), 0xDB).Start;

    auto precision = good;
    precision[sof + 4] = 12; // 12-bit samples: not built in
    auto lossless = good;
    lossless[sof + 1] = 0xC3; // lossless process
    auto noComponents = good;
    noComponents[sof + 9] = 0;
    auto zeroWidth = good;
    zeroWidth[sof + 7] = zeroWidth[sof + 8] = 0;
    auto badTable = good;
    badTable[dqt + 4] = 0x07; // quantisation table 7: there are four
    const std::vector<uint8_t> soiOnly = {0xFF, 0xD8};
    const std::vector<uint8_t> headerCut(good.begin(), good.begin() + static_cast<ptrdiff_t>(sof + 6));
    const std::vector<uint8_t> noFrame = {0xFF, 0xD8, 0xFF, 0xD9};
    const std::vector<uint8_t> text = {'G', 'I', 'F', '8', '9', 'a', 0, 0};

    struct Case {
        const char* Name;
        const std::vector<uint8_t>& Bytes;
        int Code;
        std::string Reason;
    } cases[] = {
        {"not a JPEG", text, JERR_NO_SOI, "the file is not a JPEG picture"},
        {"empty", {}, JERR_INPUT_EMPTY, "the file is empty"},
        {"SOI and nothing else", soiOnly, JERR_NO_IMAGE, "the file ends before the picture does"},
        {"cut inside the frame header", headerCut, -2, "the file ends before the picture does"},
        {"an end marker and no frame", noFrame, JERR_NO_IMAGE, "the file holds no picture"},
        {"12-bit precision", precision, JERR_BAD_PRECISION, "12-bit JPEG pictures are not supported"},
        {"lossless frame", lossless, JERR_SOF_UNSUPPORTED,
         "lossless and hierarchical JPEG pictures are not supported"},
        {"no components", noComponents, JERR_EMPTY_IMAGE, "the picture's size is not valid"},
        {"zero width", zeroWidth, JERR_EMPTY_IMAGE, "the picture's size is not valid"},
        {"table index out of range", badTable, JERR_DQT_INDEX,
         "the picture's data is damaged (Bogus DQT index 7)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string decodeReason, infoReason;
        const int code = DecodeErrorCode(c.Bytes, {}, &decodeReason);
        EXPECT_EQ(InfoErrorCode(c.Bytes, &infoReason), code);
        if (c.Code != -2) { // the code libjpeg meets first in a cut header is its own affair
            EXPECT_EQ(code, c.Code);
        }
        EXPECT_NE(code, -1);
        EXPECT_EQ(decodeReason, c.Reason);
        EXPECT_EQ(infoReason, c.Reason);
    }
}

TEST(JpegErrors, HugeDeclaredSizeIsRefusedBeforeAnyAllocation)
{
    // 65500 x 65500 takes 12 GB at full size; at 1/8 the output would fit,
    // but a progressive file keeps every coefficient: 25 GB.
    struct Case {
        const char* Options;
        uint8_t Sof;
        int Denom;
    } cases[] = {{"-quality 80", 0xC0, 1}, {"-quality 80", 0xC0, 2}, {"-quality 80 -progressive", 0xC2, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Options) + " at 1/" + std::to_string(c.Denom));
        auto bytes = ReadBytes(MakeJpeg("huge", 16, 16, c.Options));
        SetFrameSize(bytes, c.Sof, 65500, 65500);
        JpegDecodeOptions options;
        options.ScaleDenom = c.Denom;
        int allocations = 0;
        try {
            DecodeJpeg(bytes.data(), bytes.size(), options, [&](int, int) {
                ++allocations;
                return PixelRows{};
            });
            ADD_FAILURE() << "no error";
        } catch (const EInvalidGraphic& error) {
            EXPECT_EQ(error.Message, "Image is too large (65500 x 65500 pixels)");
        }
        EXPECT_EQ(allocations, 0);
    }
}

TEST(JpegErrors, MemoryLimitCountsOutputAndCoefficientBuffers)
{
    const auto baseline = ReadBytes(MakeJpeg("limit-baseline", 64, 64, "-quality 80"));
    const auto progressive = ReadBytes(MakeJpeg("limit-progressive", 64, 64, "-quality 80 -progressive"));
    const uint64_t output = Dib24Bytes(64, 64); // 12288
    JpegDecodeOptions options;
    options.MaxDecodedBytes = output;
    EXPECT_NO_THROW(DecodeJpegImage(baseline, options)); // one scan: no whole-image buffer
    EXPECT_THROW(DecodeJpegImage(progressive, options), EInvalidGraphic);
    options.MaxDecodedBytes = output - 1;
    EXPECT_THROW(DecodeJpegImage(baseline, options), EInvalidGraphic);
    // 4:2:0: 64 luma blocks and 2 x 16 chroma blocks of 128 bytes.
    options.MaxDecodedBytes = output + 96 * 128;
    EXPECT_NO_THROW(DecodeJpegImage(progressive, options));
    options.MaxDecodedBytes -= 1;
    EXPECT_THROW(DecodeJpegImage(progressive, options), EInvalidGraphic);
}

TEST(JpegErrors, EndlessScansAreCutOffButAFewRepeatsAreOnlyWarnings)
{
    const auto bytes = ReadBytes(MakeJpeg("scans", 32, 32, "-quality 80 -progressive"));
    const auto segments = JpegSegments(bytes);
    const JpegSegment& lastScan = *std::prev(std::find_if(
        segments.begin(), segments.end(), [](const JpegSegment& s) { return s.Marker == 0xD9; }));
    ASSERT_EQ(lastScan.Marker, 0xDA);
    const auto withRepeats = [&](int repeats) {
        std::vector<uint8_t> out(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(lastScan.End));
        for (int i = 0; i < repeats; ++i)
            out.insert(out.end(), bytes.begin() + static_cast<ptrdiff_t>(lastScan.Start),
                       bytes.begin() + static_cast<ptrdiff_t>(lastScan.End));
        out.insert(out.end(), bytes.begin() + static_cast<ptrdiff_t>(lastScan.End), bytes.end());
        return out;
    };
    EXPECT_EQ(DecodeErrorCode(withRepeats(20)), -1);
    std::string reason;
    EXPECT_EQ(DecodeErrorCode(withRepeats(kMaxJpegScans), {}, &reason), JERR_BAD_PROGRESSION);
    EXPECT_EQ(reason, "the picture has more than " + std::to_string(kMaxJpegScans) + " scans");
}

TEST(JpegErrors, ErrorInALaterScanComesAfterTheAllocation)
{
    // libjpeg meets the bad scan deep inside reading the data: the picture
    // has been allocated, and the error still arrives as EJPEG.
    const auto bytes = WithBrokenScan(ReadBytes(MakeJpeg("late-error", 40, 30, "-progressive")), 3);
    for (int denom : {1, 8}) {
        JpegDecodeOptions options;
        options.ScaleDenom = denom;
        int allocations = 0;
        PixelImage picture;
        try {
            DecodeJpeg(bytes.data(), bytes.size(), options, [&](int width, int height) {
                ++allocations;
                return picture.Allocator()(width, height);
            });
            ADD_FAILURE() << "no error";
        } catch (const EJPEG& error) {
            EXPECT_EQ(error.MessageCode, JERR_BAD_PROGRESSION);
        }
        EXPECT_EQ(allocations, 1);
    }
}

TEST(JpegErrors, AllocatorFailureLeavesNothingBehind)
{
    // Under the leak checker: the decompressor must be gone after the throw.
    const auto bytes = ReadBytes(MakeJpeg("alloc", 40, 30, "-progressive"));
    const AllocatePixels refuse = [](int, int) -> PixelRows { throw std::runtime_error("no memory"); };
    EXPECT_THROW(DecodeJpeg(bytes.data(), bytes.size(), {}, refuse), std::runtime_error);
}

TEST(JpegErrors, ScaleOtherThanPowersOfTwoUpToEightIsAProgrammingError)
{
    const auto bytes = ReadBytes(MakeJpeg("scale", 8, 8, ""));
    for (int denom : {0, 3, 16, -1}) {
        JpegDecodeOptions options;
        options.ScaleDenom = denom;
        EXPECT_THROW(DecodeJpegImage(bytes, options), std::invalid_argument) << denom;
    }
}
