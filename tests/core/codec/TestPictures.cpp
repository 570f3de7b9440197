#include "TestPictures.h"

#include <sstream>

namespace codec_test {

PixelImage MakeTestPicture(int width, int height, uint32_t seed)
{
    PixelImage picture(width, height);
    uint32_t noise = seed * 2654435761u + 12345;
    for (int y = 0; y < height; ++y) {
        uint8_t* pixel = picture.Row(y);
        for (int x = 0; x < width; ++x, pixel += 3) {
            noise = noise * 1664525u + 1013904223u;
            const bool block = ((x / 5) + (y / 7)) % 3 == 0;
            const int gradientX = width > 1 ? x * 255 / (width - 1) : 128;
            const int gradientY = height > 1 ? y * 255 / (height - 1) : 128;
            pixel[0] = static_cast<uint8_t>(block ? 240 : gradientX);
            pixel[1] = static_cast<uint8_t>(gradientY / 2 + ((noise >> 24) & 0x3F));
            pixel[2] = static_cast<uint8_t>(block ? 20 : 255 - gradientX / 2 - gradientY / 4);
        }
    }
    return picture;
}

::testing::AssertionResult SamePixels(const PixelImage& expected, const PixelImage& actual)
{
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height())
        return ::testing::AssertionFailure() << "size " << actual.Width() << "x" << actual.Height()
                                             << ", expected " << expected.Width() << "x" << expected.Height();
    int differing = 0;
    std::ostringstream first;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x) {
            const uint8_t* e = expected.Row(y) + 3 * x;
            const uint8_t* a = actual.Row(y) + 3 * x;
            if (e[0] == a[0] && e[1] == a[1] && e[2] == a[2])
                continue;
            if (differing++ == 0)
                first << "first at (" << x << ", " << y << "): BGR " << int(a[0]) << "," << int(a[1]) << ","
                      << int(a[2]) << ", expected " << int(e[0]) << "," << int(e[1]) << "," << int(e[2]);
        }
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ; " << first.str();
}

} // namespace codec_test
