// Decoding every format through the real system: PNG, GIF and TIFF through
// the Imaging Component (Wine's here), WebP through libwebp; transparent
// pixels over the background; hostile files refused before any pixel.

#include "platform/PictureFile.h"

#include "core/Exceptions.h"
#include "core/codec/PictureFiles.h"
#include "core/codec/PixelImage.h"
#include "support/ErrorOf.h"
#include "support/SamplePictures.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr uint32_t kTeal = 0x00808000; // 0x00BBGGRR

template <size_t N>
std::vector<uint8_t> Bytes(const unsigned char (&data)[N])
{
    return {data, data + N};
}

// The pixel as 0xRRGGBB.
uint32_t Rgb(const PixelImage& image, int x, int y)
{
    const uint8_t* p = image.Row(y) + x * 3;
    return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
}

// Decodes into bottom-up rows, as the wallpaper's bitmap holds them: the
// image's first row is the picture's last.
PixelImage Decode(const std::vector<uint8_t>& bytes, PictureFormat named = PictureFormat::Unknown)
{
    PixelImage image;
    PictureRequest request;
    request.Background = kTeal;
    request.Allocate = [&image](int width, int height) {
        image = PixelImage(width, height);
        return PixelRows{image.Row(height - 1), -image.Stride()};
    };
    const PictureInfo info = DecodePicture(bytes.data(), bytes.size(), request, named);
    EXPECT_EQ(info.Width, image.Width());
    return image;
}

// Each row of the picture, top row first, as 0xRRGGBB values.
std::vector<std::vector<uint32_t>> Pixels(const PixelImage& bottomUp)
{
    std::vector<std::vector<uint32_t>> rows(static_cast<size_t>(bottomUp.Height()));
    for (int y = 0; y < bottomUp.Height(); ++y)
        for (int x = 0; x < bottomUp.Width(); ++x)
            rows[static_cast<size_t>(y)].push_back(Rgb(bottomUp, x, bottomUp.Height() - 1 - y));
    return rows;
}

using Rows = std::vector<std::vector<uint32_t>>;

} // namespace

TEST(PictureFile, EveryFormatDecodesToItsPixelsUpsideUp)
{
    // Clear pixels show the background; blue at alpha 128 is half teal.
    const Rows alpha = {{0xFF0000, 0x008080, 0x0040C0, 0x00FF00}, {0xFFFFFF, 0x000000, 0x008080, 0xFF0000}};
    EXPECT_EQ(Pixels(Decode(Bytes(AlphaPng))), alpha);
    EXPECT_EQ(Pixels(Decode(Bytes(AlphaWebp))), alpha);

    // A 1-bit palette and a 1-bit grey PNG, expanded without WIC's converter.
    const uint32_t n = 0x000080, o = 0xFFA500, k = 0x000000, w = 0xFFFFFF;
    EXPECT_EQ(Pixels(Decode(Bytes(TwoColourPng))),
              (Rows{{n, o, n, o, n, n, n, n}, {n, n, n, n, n, n, o, n}}));
    EXPECT_EQ(Pixels(Decode(Bytes(BlackWhitePng))),
              (Rows{{k, w, k, k, k, k, k, k}, {k, k, k, k, k, k, k, w}}));

    // The first frame of an animation, the first page of a TIFF.
    const Rows redBlue = {{0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF}, {0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF}};
    EXPECT_EQ(Pixels(Decode(Bytes(TwoFramesGif))), redBlue);
    EXPECT_EQ(Pixels(Decode(Bytes(TwoPagesTif))), redBlue);

    EXPECT_EQ(Pixels(Decode(Bytes(OpaqueWebp))),
              (Rows{{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}, {0x000000, 0xFFFF00, 0x00FFFF, 0xFF00FF}}));
    const PixelImage lossy = Decode(Bytes(LossyWebp));
    ASSERT_EQ(lossy.Width(), 16);
    for (int y : {0, 15}) { // either end, so either order
        const uint8_t* left = lossy.Row(y) + 3;
        const uint8_t* right = lossy.Row(y) + 14 * 3;
        EXPECT_TRUE(left[2] > 240 && left[0] < 16 && right[0] > 240 && right[2] < 16) << y;
    }
}

TEST(PictureFile, AnAnimatedWebpShowsItsFirstFrameAtItsPlace)
{
    // A lime 4 x 2 box at (2, 2) of a clear 8 x 6 canvas; then all blue.
    const Rows rows = Pixels(Decode(Bytes(AnimatedWebp)));
    ASSERT_EQ(rows.size(), 6u);
    for (size_t y = 0; y < 6; ++y)
        for (size_t x = 0; x < 8; ++x)
            EXPECT_EQ(rows[y][x], x >= 2 && x <= 5 && y >= 2 && y <= 3 ? 0x00FF00u : 0x008080u)
                << x << "," << y;
}

TEST(PictureFile, HostileFilesAreRefusedClearlyAndHugeClaimsBeforeAnyPixel)
{
    int allocations = 0;
    const auto error = [&allocations](const std::vector<uint8_t>& bytes,
                                      PictureFormat named = PictureFormat::Unknown) {
        PixelImage image;
        PictureRequest request;
        request.Allocate = [&](int width, int height) {
            ++allocations;
            return image.Allocator()(width, height);
        };
        return ErrorOf([&] { DecodePicture(bytes.data(), bytes.size(), request, named); });
    };
    EXPECT_EQ(error(codec_test::PngClaiming(60000, 60000)), "Image is too large (60000 x 60000 pixels)");
    EXPECT_EQ(error(codec_test::GifClaiming(65535, 65535)), "Image is too large (65535 x 65535 pixels)");
    EXPECT_EQ(error(codec_test::GifClaiming(4000, 4000, 80)), "Image is too large (4000 x 4000 pixels)");
    EXPECT_EQ(error(codec_test::TiffClaiming(40000, 40000)), "Image is too large (40000 x 40000 pixels)");
    EXPECT_EQ(error(codec_test::WebpClaiming(16384, 16384, true)),
              "Image is too large (16384 x 16384 pixels)");
    EXPECT_EQ(allocations, 0);
    // Headers that claim small pictures but lead to nothing the decoders take.
    EXPECT_EQ(error(codec_test::PngClaiming(20, 10)), "PNG image is not valid");
    EXPECT_EQ(error(codec_test::GifClaiming(20, 10)), "GIF image is not valid");
    EXPECT_EQ(error(codec_test::TiffClaiming(20, 10)), "TIFF image is not valid");
    EXPECT_EQ(error(codec_test::WebpClaiming(20, 10, false)), "WebP image is not valid");

    // Real files cut short or overwritten part-way: an error, never a crash.
    for (const auto& sample : {Bytes(AlphaPng), Bytes(TwoColourPng), Bytes(TwoFramesGif), Bytes(TwoPagesTif),
                               Bytes(LossyWebp), Bytes(AlphaWebp)}) {
        std::vector<uint8_t> cut(sample.begin(),
                                 sample.begin() + static_cast<ptrdiff_t>(sample.size() * 2 / 3));
        std::vector<uint8_t> garbled = sample;
        for (size_t i = 30; i < garbled.size(); i += 5)
            garbled[i] = static_cast<uint8_t>(garbled[i] * 7 + 1);
        error(cut);
        error(garbled);
    }
    const std::vector<uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
    EXPECT_EQ(error(text), "Unknown picture format");
    EXPECT_EQ(error(text, PictureFormat::Tiff), "TIFF image is not valid");

    TTempFolder folder;
    const std::string missing = folder / "absent.png";
    EXPECT_THROW(DecodePictureFile(missing, PictureRequest{}), EFOpenError);
}
