// Which format a file is, what its headers claim, and the refusal of claims
// too large for memory, before any decoder is given the data.

#include "core/codec/PictureFormat.h"
#include "core/codec/PictureInfo.h"

#include "CodecTestSupport.h"
#include "PictureFiles.h"
#include "core/Exceptions.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

using namespace codec_test;

namespace {

PictureInfo InfoOf(const std::vector<uint8_t>& bytes, PictureFormat named = PictureFormat::Unknown)
{
    return ReadPictureInfo(bytes.data(), bytes.size(), named);
}

std::string InfoError(const std::vector<uint8_t>& bytes, PictureFormat named = PictureFormat::Unknown)
{
    return ErrorOf([&] { InfoOf(bytes, named); });
}

std::string MemoryError(const std::vector<uint8_t>& bytes)
{
    return ErrorOf([&] { CheckPictureMemory(InfoOf(bytes), kMaxDecodedBytes); });
}

// A file ImageMagick makes from a 30 x 20 picture with alpha; `target` is
// a file name, with ImageMagick's format before a ":" where it matters.
std::vector<uint8_t> Converted(const std::string& target)
{
    const size_t colon = target.find(':');
    const std::string format = colon == std::string::npos ? "" : target.substr(0, colon + 1);
    const std::string name = target.substr(colon + 1);
    RunTool("convert -size 30x20 xc:none -fill red -draw 'rectangle 0,0 9,19' " + format + Scratch(name));
    return ReadBytes(ScratchDir() / name);
}

} // namespace

TEST(PictureFormat, NamesAndFirstBytesTellTheFormat)
{
    for (const char* jpeg : {".jpg", ".JPEG", ".Jpe", ".jfif"})
        EXPECT_EQ(PictureFormatOfExtension(jpeg), PictureFormat::Jpeg) << jpeg;
    EXPECT_EQ(PictureFormatOfExtension(".PNG"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatOfExtension(".gif"), PictureFormat::Gif);
    EXPECT_EQ(PictureFormatOfExtension(".tif"), PictureFormat::Tiff);
    EXPECT_EQ(PictureFormatOfExtension(".TIFF"), PictureFormat::Tiff);
    EXPECT_EQ(PictureFormatOfExtension(".WebP"), PictureFormat::Webp);
    EXPECT_EQ(PictureFormatOfExtension(".bmp"), PictureFormat::Bmp);
    for (const char* other : {"", ".", ".jpegx", ".jp", "png", ".ico", ".pn g"})
        EXPECT_EQ(PictureFormatOfExtension(other), PictureFormat::Unknown) << other;
    EXPECT_EQ(PictureFilePatterns(), "*.bmp;*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.gif;*.tif;*.tiff;*.webp");

    const auto sniff = [](const std::string& start) {
        return SniffPictureFormat(reinterpret_cast<const uint8_t*>(start.data()), start.size());
    };
    EXPECT_EQ(sniff("BM"), PictureFormat::Bmp);
    EXPECT_EQ(sniff("\xFF\xD8\xFF\xE0"), PictureFormat::Jpeg);
    EXPECT_EQ(sniff("\x89PNG\r\n\x1A\n"), PictureFormat::Png);
    EXPECT_EQ(sniff("GIF87a"), PictureFormat::Gif);
    EXPECT_EQ(sniff("GIF89a"), PictureFormat::Gif);
    EXPECT_EQ(sniff(std::string("II*\0", 4)), PictureFormat::Tiff);
    EXPECT_EQ(sniff(std::string("MM\0*", 4)), PictureFormat::Tiff);
    EXPECT_EQ(sniff(std::string("RIFF\x10\0\0\0WEBP", 12)), PictureFormat::Webp);
    for (const std::string& other : {std::string(), std::string("B"), std::string("\x89PNG\r\n"),
                                     std::string("GIF90a"), std::string("RIFF\x10\0\0\0WAVE", 12)})
        EXPECT_EQ(sniff(other), PictureFormat::Unknown);
}

TEST(PictureInfo, EachFormatGivesItsSizeAndWhatItsDecoderHolds)
{
    struct Case {
        const char* Target;
        PictureFormat Format;
        uint64_t DecoderBytes;
    };
    const Case cases[] = {
        {"PNG32:a.png", PictureFormat::Png, 30 * 20 * 4},
        {"PNG48:b.png", PictureFormat::Png, 30 * 20 * 6},
        {"c.gif", PictureFormat::Gif, 30 * 20 + 30 * 20 * 4},
        {"d.tif", PictureFormat::Tiff, 30 * 20 * 8},
        {"e.webp", PictureFormat::Webp, 30 * 20 * 4},
        {"f.jpg", PictureFormat::Jpeg, 0},
        {"BMP3:g.bmp", PictureFormat::Bmp, 0},
    };
    for (const Case& c : cases) {
        const PictureInfo info = InfoOf(Converted(c.Target));
        EXPECT_EQ(info.Format, c.Format) << c.Target;
        EXPECT_EQ(info.Width, 30) << c.Target;
        EXPECT_EQ(info.Height, 20) << c.Target;
        EXPECT_EQ(info.DecoderBytes, c.DecoderBytes) << c.Target;
    }
    // A big-endian TIFF; a GIF keeps every frame it reads.
    RunTool("convert -size 30x20 xc:red -size 10x5 xc:blue -endian MSB " + Scratch("i.tif") + " && convert " +
            "-size 30x20 xc:red -size 10x5 xc:blue -size 10x5 xc:lime " + Scratch("j.gif"));
    EXPECT_EQ(InfoOf(ReadBytes(ScratchDir() / "i.tif")).Height, 20);
    EXPECT_EQ(InfoOf(ReadBytes(ScratchDir() / "j.gif")).DecoderBytes, 600 + 50 + 50 + 600 * 4u);
}

TEST(PictureInfo, ClaimsBeyondTheBoundAreRefusedAndBrokenHeadersNamed)
{
    // Small files that claim huge pictures: refused by the size check,
    // which comes before any decoder sees them.
    EXPECT_EQ(MemoryError(PngClaiming(60000, 60000)), "Image is too large (60000 x 60000 pixels)");
    EXPECT_EQ(MemoryError(PngClaiming(0xFFFFFFFFu, 0xFFFFFFFFu)),
              "Image is too large (2147483647 x 2147483647 pixels)");
    EXPECT_EQ(MemoryError(TiffClaiming(40000, 40000)), "Image is too large (40000 x 40000 pixels)");
    EXPECT_EQ(MemoryError(GifClaiming(65535, 65535)), "Image is too large (65535 x 65535 pixels)");
    EXPECT_EQ(MemoryError(WebpClaiming(16384, 16384, true)), "Image is too large (16384 x 16384 pixels)");
    // Frames that fit one by one, but not all of them together.
    EXPECT_EQ(MemoryError(GifClaiming(4000, 4000, 2)), "");
    EXPECT_EQ(MemoryError(GifClaiming(4000, 4000, 80)), "Image is too large (4000 x 4000 pixels)");

    // Broken headers, each reported in its own format.
    std::vector<uint8_t> cutPng = PngClaiming(10, 10);
    cutPng.resize(20);
    EXPECT_EQ(InfoError(cutPng), "PNG image is not valid");
    std::vector<uint8_t> badDepth = PngClaiming(10, 10);
    badDepth[24] = 3;
    EXPECT_EQ(InfoError(badDepth), "PNG image is not valid");
    EXPECT_EQ(InfoError(PngClaiming(0, 10)), "PNG image is not valid");
    EXPECT_EQ(InfoError(GifClaiming(10, 10, 0)), "GIF image is not valid");
    EXPECT_EQ(InfoError(GifClaiming(0, 10, 1)), "GIF image is not valid");
    std::vector<uint8_t> lostDirectory = TiffClaiming(10, 10);
    lostDirectory[4] = 0xF0;
    EXPECT_EQ(InfoError(lostDirectory), "TIFF image is not valid");
    std::vector<uint8_t> cutTiff = TiffClaiming(10, 10);
    cutTiff.resize(20);
    EXPECT_EQ(InfoError(cutTiff), "TIFF image is not valid");
    EXPECT_EQ(InfoError({'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'E', 'B', 'P', 'V', 'P', '8', ' '}),
              "WebP image is not valid");

    // Data of no format: the name's format reports it, else it is unknown.
    const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
    EXPECT_EQ(InfoError(text), "Unknown picture format");
    EXPECT_EQ(InfoError(text, PictureFormat::Png), "PNG image is not valid");
    EXPECT_EQ(InfoError(text, PictureFormat::Webp), "WebP image is not valid");
    EXPECT_EQ(InfoError(text, PictureFormat::Bmp), "Bitmap image is not valid");
    EXPECT_THROW(InfoOf(text, PictureFormat::Jpeg), EJPEG);
    // The data wins over the name.
    EXPECT_EQ(InfoOf(GifClaiming(7, 3), PictureFormat::Png).Format, PictureFormat::Gif);
}
