// The JPEG decoder against libjpeg-turbo's djpeg, pixel for pixel.

#include "JpegTestFiles.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

using namespace codec_test;

namespace {

struct Encoding {
    const char* Name;
    int Width;
    int Height;
    const char* CjpegOptions;
};

// Every way of storing a picture that the decoder must get exactly right.
const Encoding kEncodings[] = {
    {"baseline-420", 97, 61, "-quality 85"},
    {"baseline-422", 97, 61, "-quality 85 -sample 2x1"},
    {"baseline-444", 97, 61, "-quality 85 -sample 1x1"},
    {"baseline-411", 97, 61, "-quality 85 -sample 4x1"},
    {"progressive-420", 97, 61, "-quality 85 -progressive"},
    {"progressive-422", 97, 61, "-quality 85 -progressive -sample 2x1"},
    {"progressive-444", 97, 61, "-quality 85 -progressive -sample 1x1"},
    {"restart-rows", 97, 61, "-quality 85 -restart 1"},
    {"restart-blocks", 97, 61, "-quality 85 -restart 3B -progressive"},
    {"grayscale", 97, 61, "-quality 85 -grayscale"},
    {"grayscale-progressive", 97, 61, "-quality 85 -grayscale -progressive"},
    {"rgb", 40, 24, "-quality 90 -rgb"},
    {"arithmetic", 97, 61, "-quality 85 -arithmetic"},
    {"odd-33x17", 33, 17, "-quality 75"},
    {"odd-17x33-progressive", 17, 33, "-quality 75 -progressive"},
    {"pixel-1x1", 1, 1, "-quality 75"},
    {"pixel-1x1-progressive", 1, 1, "-quality 75 -progressive -grayscale"},
    {"block-8x8", 8, 8, "-quality 100 -sample 1x1"},
};

} // namespace

TEST(JpegDecoder, MatchesDjpegAtEveryScaleForEveryEncoding)
{
    for (const Encoding& encoding : kEncodings) {
        const std::string path =
            MakeJpeg(encoding.Name, encoding.Width, encoding.Height, encoding.CjpegOptions);
        const auto bytes = ReadBytes(path);
        for (int denom : {1, 2, 4, 8})
            for (bool stopEarly : {false, true}) {
                if (stopEarly && denom != 8)
                    continue;
                SCOPED_TRACE(std::string(encoding.Name) + " at 1/" + std::to_string(denom) +
                             (stopEarly ? " stopping early" : ""));
                JpegDecodeOptions options;
                options.ScaleDenom = denom;
                options.StopEarlyAtEighth = stopEarly;
                JpegDecodeResult result;
                const PixelImage decoded = DecodeJpegImage(bytes, options, &result);
                EXPECT_TRUE(SamePixels(DjpegReference(path, denom), decoded));
                EXPECT_EQ(result.Width, decoded.Width());
                EXPECT_EQ(result.Height, decoded.Height());
            }
    }
}

TEST(JpegDecoder, ARowSpanGetsExactlyItsRowsAsTheWholeDecodeMakesThem)
{
    // Rows above the span are skipped in a file of one scan; the decode
    // ends after the span in every file.
    for (const Encoding& encoding : kEncodings) {
        const std::string name = encoding.Name;
        if (name != "baseline-420" && name != "baseline-422" && name != "progressive-420" &&
            name != "grayscale")
            continue;
        const std::string path = MakeJpeg(name, encoding.Width, encoding.Height, encoding.CjpegOptions);
        const auto bytes = ReadBytes(path);
        for (int denom : {1, 2}) {
            SCOPED_TRACE(name + " at 1/" + std::to_string(denom));
            const PixelImage whole = DjpegReference(path, denom);
            JpegDecodeOptions options;
            options.ScaleDenom = denom;
            std::vector<int> delivered;
            JpegRowSink sink;
            sink.Start = [](int, int) { return JpegRowSpan{13, 40}; };
            sink.Rows = [&](int first, int count, uint8_t* const* rows) {
                for (int i = 0; i < count; ++i) {
                    delivered.push_back(first + i);
                    EXPECT_EQ(std::memcmp(rows[i], whole.Row(first + i), size_t(whole.Width()) * 3), 0)
                        << "row " << first + i;
                }
            };
            DecodeJpegRows(bytes.data(), bytes.size(), options, sink);
            // A file of several scans cannot skip: its rows come from the top.
            const int first = name.rfind("progressive", 0) == 0 ? 0 : 13;
            const int last = std::min(40, whole.Height() - 1);
            ASSERT_EQ(delivered.size(), size_t(last - first + 1));
            EXPECT_EQ(delivered.front(), first);
            EXPECT_EQ(delivered.back(), last);
        }
    }
}

TEST(JpegDecoder, CmykFilesMatchDjpegWithOrWithoutAdobeMarker)
{
    // ImageMagick writes YCCK with an Adobe marker; libjpeg can write plain
    // CMYK with or without one. All are read as inverted CMYK.
    const auto source = ScratchDir() / "cmyk-source.ppm";
    WritePpm(source, MakeTestPicture(45, 29, 3));
    RunTool("convert '" + source.string() + "' -colorspace CMYK -quality 90 " + Scratch("ycck.jpg"));
    WriteBytes(ScratchDir() / "cmyk-adobe.jpg", MakeCmykJpeg(45, 29, true));
    WriteBytes(ScratchDir() / "cmyk-plain.jpg", MakeCmykJpeg(45, 29, false));
    for (const char* name : {"ycck.jpg", "cmyk-adobe.jpg", "cmyk-plain.jpg"}) {
        SCOPED_TRACE(name);
        const std::string path = (ScratchDir() / name).string();
        const auto bytes = ReadBytes(path);
        const JpegInfo info = ReadJpegInfo(bytes.data(), bytes.size());
        EXPECT_EQ(info.Components, 4);
        EXPECT_TRUE(info.ColorSpace == JpegColorSpace::Cmyk || info.ColorSpace == JpegColorSpace::Ycck);
        EXPECT_TRUE(SamePixels(DjpegReference(path), DecodeJpegImage(bytes)));
        JpegDecodeOptions half;
        half.ScaleDenom = 2;
        EXPECT_TRUE(SamePixels(DjpegReference(path, 2), DecodeJpegImage(bytes, half)));
    }
}

TEST(JpegDecoder, EighthScaleOfProgressiveFileStopsReadingEarlyWithTheSamePicture)
{
    // cjpeg's standard progression sends DC with one bit held back and
    // refines it late; a DC-first script makes the gain obvious.
    const auto script = ScratchDir() / "dc-first.scans";
    const std::string text = "0,1,2: 0 0 0 0;\n0: 1 5 0 0;\n2: 1 63 0 0;\n1: 1 63 0 0;\n0: 6 63 0 0;\n";
    WriteBytes(script, std::vector<uint8_t>(text.begin(), text.end()));
    struct Case {
        const char* Name;
        const char* Options;
        double MostOfFileRead; // the early stop must leave at least the rest unread
    } cases[] = {
        {"eighth-standard-444", "-quality 90 -progressive -sample 1x1", 0.95},
        {"eighth-standard-422", "-quality 90 -progressive -sample 2x1", 0.95},
        {"eighth-standard-420", "-quality 90 -progressive", 0.95},
        {"eighth-standard-grey", "-quality 90 -progressive -grayscale", 0.95},
        {"eighth-dcfirst-444", "-quality 90 -sample 1x1 -scans", 0.25},
        {"eighth-dcfirst-420", "-quality 90 -sample 2x2 -scans", 0.95},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string options = c.Options;
        if (options.ends_with("-scans"))
            options += " '" + script.string() + "'";
        const std::string path = MakeJpeg(c.Name, 203, 157, options);
        const auto bytes = ReadBytes(path);
        JpegDecodeOptions eighth;
        eighth.ScaleDenom = 8;
        JpegDecodeResult result;
        const PixelImage decoded = DecodeJpegImage(bytes, eighth, &result);
        EXPECT_TRUE(SamePixels(DjpegReference(path, 8), decoded));
        EXPECT_TRUE(result.StoppedEarly);
        EXPECT_LT(static_cast<double>(result.BytesRead),
                  c.MostOfFileRead * static_cast<double>(bytes.size()));
    }
}

TEST(JpegDecoder, ReadsEveryScanWhenTheFileOrTheScaleGivesNoEarlyStop)
{
    const std::string baseline = MakeJpeg("whole-baseline", 120, 80, "-quality 80");
    const std::string progressive = MakeJpeg("whole-progressive", 120, 80, "-quality 80 -progressive");
    struct Case {
        const std::string& Path;
        int Denom;
        bool StopEarly;
    } cases[] = {
        {baseline, 8, true}, {progressive, 4, true}, {progressive, 8, false}, {progressive, 1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path + " at 1/" + std::to_string(c.Denom));
        const auto bytes = ReadBytes(c.Path);
        JpegDecodeOptions options;
        options.ScaleDenom = c.Denom;
        options.StopEarlyAtEighth = c.StopEarly;
        JpegDecodeResult result;
        DecodeJpegImage(bytes, options, &result);
        EXPECT_FALSE(result.StoppedEarly);
        EXPECT_GE(result.BytesRead + 2, bytes.size()); // all but perhaps the end marker
    }
}

TEST(JpegDecoder, DamagedDataDecodesWithWarningsLikeDjpeg)
{
    // A cut file and a file with a stretch of garbage inside the scan: libjpeg
    // warns and goes on; so must we, with djpeg's picture.
    for (const char* options : {"-quality 85", "-quality 85 -progressive"}) {
        SCOPED_TRACE(options);
        const std::string path = MakeJpeg("damaged", 150, 90, options);
        auto bytes = ReadBytes(path);

        std::vector<uint8_t> cut(bytes.begin(),
                                 bytes.begin() + static_cast<ptrdiff_t>(bytes.size() * 6 / 10));
        WriteBytes(ScratchDir() / "cut.jpg", cut);
        EXPECT_TRUE(SamePixels(DjpegReference((ScratchDir() / "cut.jpg").string()), DecodeJpegImage(cut)));

        // No 0xFF among the garbage: it corrupts the codes, not the markers.
        std::vector<uint8_t> garbled = bytes;
        for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 40; ++i)
            garbled[i] = static_cast<uint8_t>((i * 37) & 0x7F);
        WriteBytes(ScratchDir() / "garbled.jpg", garbled);
        EXPECT_TRUE(
            SamePixels(DjpegReference((ScratchDir() / "garbled.jpg").string()), DecodeJpegImage(garbled)));
    }
}

TEST(JpegInfo, ReportsSizeComponentsColourSpaceAndProgression)
{
    const auto colour = ReadBytes(MakeJpeg("info-colour", 70, 30, "-progressive"));
    JpegInfo info = ReadJpegInfo(colour.data(), colour.size());
    EXPECT_EQ(info.Width, 70);
    EXPECT_EQ(info.Height, 30);
    EXPECT_EQ(info.Components, 3);
    EXPECT_EQ(info.ColorSpace, JpegColorSpace::YCbCr);
    EXPECT_TRUE(info.Progressive);

    const auto grey = ReadBytes(MakeJpeg("info-grey", 9, 4, "-grayscale"));
    info = ReadJpegInfo(grey.data(), grey.size());
    EXPECT_EQ(info.Width, 9);
    EXPECT_EQ(info.Height, 4);
    EXPECT_EQ(info.Components, 1);
    EXPECT_EQ(info.ColorSpace, JpegColorSpace::Grayscale);
    EXPECT_FALSE(info.Progressive);

    const auto rgb = ReadBytes(MakeJpeg("info-rgb", 5, 5, "-rgb"));
    EXPECT_EQ(ReadJpegInfo(rgb.data(), rgb.size()).ColorSpace, JpegColorSpace::Rgb);
}

TEST(JpegDecoder, ADecodeNoLongerWantedStopsWhereItIsAndSaysSo)
{
    // Asked before each batch of rows, and while the scans of a
    // progressive file are read: no row comes once it says no.
    JpegEncoding progressive;
    progressive.Progressive = true;
    for (const JpegEncoding& encoding : {JpegEncoding{}, progressive}) {
        SCOPED_TRACE(encoding.Progressive ? "progressive" : "baseline");
        const std::vector<uint8_t> bytes = EncodeTestJpeg(64, 200, encoding);
        int asked = 0, rows = 0;
        JpegDecodeOptions options;
        options.StillWanted = [&] { return ++asked <= 3; };
        JpegRowSink sink;
        sink.Start = [](int, int) { return JpegRowSpan{}; };
        sink.Rows = [&](int, int count, uint8_t* const*) { rows += count; };
        EXPECT_THROW(DecodeJpegRows(bytes.data(), bytes.size(), options, sink), EDecodeAbandoned);
        EXPECT_EQ(asked, 4);
        EXPECT_LT(rows, 200);
        // Still wanted throughout: the whole picture.
        options.StillWanted = [] { return true; };
        rows = 0;
        DecodeJpegRows(bytes.data(), bytes.size(), options, sink);
        EXPECT_EQ(rows, 200);
    }
}
