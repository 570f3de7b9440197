// WebP decoding, and the palettes and alpha of pictures that are not plain
// 24-bit colour.

#include "core/codec/PixelCompositing.h"
#include "core/codec/WebpDecoder.h"

#include "CodecTestSupport.h"
#include "PictureFiles.h"
#include "core/Exceptions.h"
#include "core/codec/PixelImage.h"
#include "support/ErrorOf.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace codec_test;

namespace {

constexpr uint32_t kTeal = 0x00808000; // 0x00BBGGRR

// The pixel as 0xRRGGBB.
uint32_t Rgb(const PixelImage& image, int x, int y)
{
    const uint8_t* p = image.Row(y) + x * 3;
    return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
}

PixelImage DecodeWebpImage(const std::vector<uint8_t>& bytes, uint32_t background = kTeal)
{
    PixelImage image;
    DecodeWebp(bytes.data(), bytes.size(), background, kMaxDecodedBytes, image.Allocator());
    return image;
}

std::vector<uint8_t> MadeWebp(const std::string& options, const std::string& name)
{
    RunTool("convert " + options + " " + Scratch(name));
    return ReadBytes(ScratchDir() / name);
}

} // namespace

TEST(WebpDecoder, LosslessPixelsArriveExactlyAndAlphaLiesOverTheBackground)
{
    const std::vector<uint8_t> opaque = MadeWebp("-size 3x2 xc:red -fill lime -draw 'point 1,0' -fill blue "
                                                 "-draw 'point 2,1' -define webp:lossless=true",
                                                 "opaque.webp");
    const PixelImage image = DecodeWebpImage(opaque);
    ASSERT_EQ(image.Width(), 3);
    ASSERT_EQ(image.Height(), 2);
    EXPECT_EQ(Rgb(image, 0, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(image, 1, 0), 0x00FF00u);
    EXPECT_EQ(Rgb(image, 2, 1), 0x0000FFu);

    // Bottom-up rows (a DIB's) get the same picture.
    PixelImage bottomUp(3, 2);
    DecodeWebp(opaque.data(), opaque.size(), kTeal, kMaxDecodedBytes, [&bottomUp](int, int) {
        return PixelRows{bottomUp.Row(1), -bottomUp.Stride()};
    });
    EXPECT_EQ(Rgb(bottomUp, 0, 1), 0xFF0000u) << "the top row is stored last";
    EXPECT_EQ(Rgb(bottomUp, 1, 1), 0x00FF00u);
    EXPECT_EQ(Rgb(bottomUp, 2, 0), 0x0000FFu);

    // Clear, opaque and half-covered pixels over teal.
    const PixelImage alpha = DecodeWebpImage(MadeWebp("-size 3x1 xc:none -fill red -draw 'point 1,0' -fill "
                                                      "'rgba(255,255,255,0.502)' -draw 'point 2,0' -define "
                                                      "webp:lossless=true -define webp:exact=true",
                                                      "alpha.webp"));
    EXPECT_EQ(Rgb(alpha, 0, 0), 0x008080u);
    EXPECT_EQ(Rgb(alpha, 1, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(alpha, 2, 0), 0x80C0C0u); // 255 * 128/255 + 128 * 127/255, rounded
}

TEST(WebpDecoder, LossyPicturesMatchTheReferenceDecoder)
{
    const PixelImage mine =
        DecodeWebpImage(MadeWebp("-size 40x24 gradient:red-blue -quality 80", "lossy.webp"));
    RunTool("convert " + Scratch("lossy.webp") + " " + Scratch("lossy.ppm"));
    const PixelImage reference = ReadPnm(ScratchDir() / "lossy.ppm");
    ASSERT_EQ(mine.Width(), reference.Width());
    // ImageMagick's own chroma upsampling may differ by a step or two.
    for (int y = 0; y < mine.Height(); ++y)
        for (int x = 0; x < mine.Width() * 3; ++x)
            ASSERT_LE(std::abs(mine.Row(y)[x] - reference.Row(y)[x]), 3) << x / 3 << "," << y;
}

TEST(WebpDecoder, BrokenOrOversizedFilesAreRefusedWithoutPixels)
{
    const std::vector<uint8_t> whole = MadeWebp("-size 64x64 plasma:fractal -quality 90", "whole.webp");
    int allocations = 0;
    const auto decodeError = [&allocations](const std::vector<uint8_t>& bytes) {
        PixelImage image;
        return ErrorOf([&] {
            DecodeWebp(bytes.data(), bytes.size(), 0, kMaxDecodedBytes, [&](int width, int height) {
                ++allocations;
                return image.Allocator()(width, height);
            });
        });
    };
    EXPECT_EQ(decodeError({whole.begin(), whole.begin() + static_cast<ptrdiff_t>(whole.size() / 2)}),
              "WebP image is not valid");
    std::vector<uint8_t> garbled = whole;
    for (size_t i = 40; i < garbled.size(); i += 7)
        garbled[i] ^= 0x5A;
    decodeError(garbled); // whatever libwebp makes of it, no crash
    allocations = 0;
    EXPECT_EQ(decodeError({'R', 'I', 'F', 'F'}), "WebP image is not valid");
    EXPECT_EQ(decodeError(WebpClaiming(16384, 16384, true)), "Image is too large (16384 x 16384 pixels)");
    EXPECT_EQ(allocations, 0);
}

TEST(WebpDecoder, AnAnimationShowsItsFirstFrameAtItsPlaceOnTheCanvas)
{
    // The encoder stores the first frame as the 4 x 2 lime box alone, at
    // (2, 2) of an 8 x 6 canvas that is otherwise clear; the second frame
    // (all blue) never shows.
    const std::vector<uint8_t> animation =
        MadeWebp("-size 8x6 xc:none -fill lime -draw 'rectangle 2,2 5,3' \\( -size 8x6 xc:blue \\) -loop 0 "
                 "-define webp:lossless=true",
                 "animated.webp");
    const PixelImage image = DecodeWebpImage(animation);
    ASSERT_EQ(image.Width(), 8);
    ASSERT_EQ(image.Height(), 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool box = x >= 2 && x <= 5 && y >= 2 && y <= 3;
            EXPECT_EQ(Rgb(image, x, y), box ? 0x00FF00u : 0x008080u) << x << "," << y;
        }
    // Bottom-up rows, as the wallpaper's bitmap holds them, get the same.
    PixelImage bottomUp(8, 6);
    DecodeWebp(animation.data(), animation.size(), kTeal, kMaxDecodedBytes, [&bottomUp](int, int height) {
        return PixelRows{bottomUp.Row(height - 1), -bottomUp.Stride()};
    });
    EXPECT_EQ(Rgb(bottomUp, 2, 2), 0x00FF00u);
    EXPECT_EQ(Rgb(bottomUp, 1, 2), 0x008080u);

    // Broken animations are refused, never read outside the data.
    int allocations = 0;
    for (size_t cut : {size_t{40}, size_t{91}, size_t{120}}) {
        const std::vector<uint8_t> part(animation.begin(), animation.begin() + static_cast<ptrdiff_t>(cut));
        PixelImage scratch;
        const std::string error = ErrorOf([&] {
            DecodeWebp(part.data(), part.size(), 0, kMaxDecodedBytes, [&](int width, int height) {
                ++allocations;
                return scratch.Allocator()(width, height);
            });
        });
        EXPECT_EQ(error, "WebP image is not valid") << cut;
    }
    EXPECT_EQ(allocations, 0);
}

TEST(PixelCompositing, PalettesAndAlphaBecomeColoursOverTheBackground)
{
    // Straight-alpha palette entries: opaque, clear, half-covered; then
    // indexes past the palette, which stay black.
    const uint32_t argb[] = {0xFFFF0000u, 0x0000FF00u, 0x800000FFu};
    const BgrPalette palette = CompositePalette(argb, 3, kTeal);
    EXPECT_EQ(palette[0], (std::array<uint8_t, 3>{0, 0, 255}));
    EXPECT_EQ(palette[1], (std::array<uint8_t, 3>{128, 128, 0}));
    EXPECT_EQ(palette[2], (std::array<uint8_t, 3>{192, 64, 0})); // 128 + 64, 0 + 64 (rounded)
    EXPECT_EQ(palette[3], (std::array<uint8_t, 3>{0, 0, 0}));

    // Indexes packed from the top bit down, at each depth.
    const auto expand = [&palette](std::vector<uint8_t> packed, int bits, int width) {
        std::vector<uint8_t> bgr(static_cast<size_t>(width) * 3);
        ExpandIndexedRow(packed.data(), bits, width, palette, bgr.data());
        std::vector<int> reds;
        for (int x = 0; x < width; ++x)
            reds.push_back(bgr[static_cast<size_t>(x) * 3 + 2]);
        return reds;
    };
    EXPECT_EQ(expand({0b01100000}, 1, 3), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(expand({0b00100111, 0b10000000}, 2, 5), (std::vector<int>{255, 0, 0, 0, 0}));
    EXPECT_EQ(expand({0x01, 0x20}, 4, 3), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(expand({2, 0, 9}, 8, 3), (std::vector<int>{0, 255, 0}));
    EXPECT_THROW(expand({0}, 3, 1), std::invalid_argument);

    const BgrPalette twoBitGray = GrayPalette(2);
    EXPECT_EQ(twoBitGray[1], (std::array<uint8_t, 3>{85, 85, 85}));
    EXPECT_EQ(twoBitGray[3], (std::array<uint8_t, 3>{255, 255, 255}));
    EXPECT_EQ(GrayPalette(1)[1], (std::array<uint8_t, 3>{255, 255, 255}));

    // Premultiplied pixels: colour + background * (255 - alpha) / 255.
    const uint8_t bgra[] = {10, 20, 30, 255, 0, 0, 0, 0, 64, 0, 0, 128};
    uint8_t bgr[9] = {};
    CompositePremultipliedRow(bgra, 3, kTeal, bgr);
    EXPECT_EQ(std::vector<int>(bgr, bgr + 9), (std::vector<int>{10, 20, 30, 128, 128, 0, 128, 64, 0}));
}
