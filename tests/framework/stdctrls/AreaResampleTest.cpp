// Area-averaged resizing of 24-bit pixel rows.

#include "framework/stdctrls/AreaResample.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A picture of 24-bit pixels with a row padding, as bitmaps have.
struct Pixels {
    Pixels(int width, int height)
        : Width(width), Height(height), Stride(width * 3 + 5), Bytes(Stride * height, 0xEE)
    {
    }
    PixelRowsView View() { return {Bytes.data(), Width, Height, static_cast<ptrdiff_t>(Stride)}; }
    uint8_t* At(int x, int y) { return Bytes.data() + y * Stride + x * 3; }
    void Set(int x, int y, uint8_t b, uint8_t g, uint8_t r)
    {
        At(x, y)[0] = b;
        At(x, y)[1] = g;
        At(x, y)[2] = r;
    }
    int Width, Height;
    size_t Stride;
    std::vector<uint8_t> Bytes;
};

} // namespace

TEST(AreaResample, AFinePatternReducedByHalfBecomesItsAverageTone)
{
    // One-pixel black and white checks: dropping rows and columns (nearest
    // pixel) would leave pure black or pure white.
    Pixels source(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const uint8_t v = (x + y) % 2 ? 255 : 0;
            source.Set(x, y, v, v, v);
        }
    Pixels target(4, 4);
    AreaResample(source.View(), target.View());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(target.At(x, y)[c], 128) << x << "," << y;
}

TEST(AreaResample, PartlyCoveredPixelsCountByTheirShare)
{
    // Three pixels into two: each target pixel covers one and a half.
    Pixels source(3, 1);
    source.Set(0, 0, 0, 30, 60);
    source.Set(1, 0, 90, 120, 150);
    source.Set(2, 0, 180, 210, 240);
    Pixels target(2, 1);
    AreaResample(source.View(), target.View());
    EXPECT_EQ(target.At(0, 0)[0], 30); // (0 + 90/2) / 1.5
    EXPECT_EQ(target.At(0, 0)[1], 60);
    EXPECT_EQ(target.At(0, 0)[2], 90);
    EXPECT_EQ(target.At(1, 0)[0], 150); // (90/2 + 180) / 1.5
    EXPECT_EQ(target.At(1, 0)[2], 210);
}

TEST(AreaResample, WritesOnlyThePixelsOfEachTargetRow)
{
    Pixels source(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            source.Set(x, y, 10, 20, 30);
    Pixels target(2, 2);
    AreaResample(source.View(), target.View());
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(target.At(1, y)[0], 10);
        EXPECT_EQ(target.At(1, y)[2], 30);
        // The row padding after the last pixel stays untouched.
        EXPECT_EQ(target.At(2, y)[0], 0xEE);
    }
}

TEST(AreaResample, EnlargingRepeatsPixels)
{
    Pixels source(1, 1);
    source.Set(0, 0, 1, 2, 3);
    Pixels target(3, 2);
    AreaResample(source.View(), target.View());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(target.At(x, y)[2], 3);
}
