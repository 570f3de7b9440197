// The Exif orientation of a JPEG and the turned pictures it gives.

#include "core/imaging/Orientation.h"
#include "../codec/TestPictures.h"
#include "core/codec/JpegExif.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using codec_test::MakeTestPicture;

namespace {

// SOI, an APP1 block holding `tiff` after "Exif\0\0", then a scan marker.
std::vector<uint8_t> JpegWithExif(const std::vector<uint8_t>& tiff)
{
    std::vector<uint8_t> data = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 'J', 'F'}; // an APP0 first
    const size_t length = 2 + 6 + tiff.size();
    data.insert(data.end(), {0xFF, 0xE1, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)});
    data.insert(data.end(), {'E', 'x', 'i', 'f', 0, 0});
    data.insert(data.end(), tiff.begin(), tiff.end());
    data.insert(data.end(), {0xFF, 0xDA, 0x00, 0x02});
    return data;
}

// A TIFF header and one directory of two entries, the orientation second.
std::vector<uint8_t> Tiff(bool little, uint16_t type, uint16_t value, uint32_t directory = 8)
{
    std::vector<uint8_t> t;
    const auto u16 = [&](uint16_t v) {
        t.push_back(static_cast<uint8_t>(little ? v : v >> 8));
        t.push_back(static_cast<uint8_t>(little ? v >> 8 : v));
    };
    const auto u32 = [&](uint32_t v) {
        little ? (u16(static_cast<uint16_t>(v)), u16(static_cast<uint16_t>(v >> 16)))
               : (u16(static_cast<uint16_t>(v >> 16)), u16(static_cast<uint16_t>(v)));
    };
    t.insert(t.end(), little ? "II" : "MM", (little ? "II" : "MM") + 2);
    u16(42);
    u32(directory);
    u16(2);
    u16(0x010F), u16(2), u32(4), u32(0); // camera make
    u16(0x0112), u16(type), u32(1), u16(value), u16(0);
    return t;
}

int Orientation(const std::vector<uint8_t>& data)
{
    return ReadJpegExifOrientation(data.data(), data.size());
}

} // namespace

TEST(JpegExifOrientation, ReadsTheTagInEitherByteOrderAndFallsBackToAsStored)
{
    EXPECT_EQ(Orientation(JpegWithExif(Tiff(true, 3, 6))), 6);
    EXPECT_EQ(Orientation(JpegWithExif(Tiff(false, 3, 8))), 8);
    // Out of range, wrong type, a directory past the end, no Exif at all.
    EXPECT_EQ(Orientation(JpegWithExif(Tiff(true, 3, 9))), 1);
    EXPECT_EQ(Orientation(JpegWithExif(Tiff(true, 4, 6))), 1);
    EXPECT_EQ(Orientation(JpegWithExif(Tiff(true, 3, 6, 0xFFFFFFF0u))), 1);
    EXPECT_EQ(Orientation({0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02}), 1);
    // Every cut of a valid block gives 1 or the value, never a read past it.
    const std::vector<uint8_t> whole = JpegWithExif(Tiff(false, 3, 3));
    for (size_t size = 0; size < whole.size(); ++size) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(size));
        const int value = Orientation(cut);
        EXPECT_TRUE(value == 1 || value == 3) << size;
    }
}

TEST(OrientPixels, EachOrientationTurnsThePictureAsTheCameraMeant)
{
    PixelImage stored = MakeTestPicture(5, 3);
    const PixelRowsView storedView{stored.Row(0), 5, 3, stored.Stride()};
    // Where the stored top-left pixel shows, per orientation 1..8, in a
    // displayed picture of size w x h.
    const struct {
        TOrientation Orientation;
        int X, Y; // displayed position of the stored top-left corner, by corner: 0 left/top, 1 right/bottom
    } corners[] = {{TOrientation::Normal, 0, 0},     {TOrientation::MirrorX, 1, 0},
                   {TOrientation::Turn180, 1, 1},    {TOrientation::MirrorY, 0, 1},
                   {TOrientation::Transpose, 0, 0},  {TOrientation::Turn90, 1, 0},
                   {TOrientation::Transverse, 1, 1}, {TOrientation::Turn270, 0, 1}};
    for (const auto& corner : corners) {
        const bool swap = SwapsAxes(corner.Orientation);
        PixelImage displayed(swap ? 3 : 5, swap ? 5 : 3);
        OrientPixels(
            storedView, corner.Orientation,
            PixelRowsView{displayed.Row(0), displayed.Width(), displayed.Height(), displayed.Stride()});
        const int x = corner.X * (displayed.Width() - 1), y = corner.Y * (displayed.Height() - 1);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(displayed.Row(y) + x * 3), 3),
                  std::string(reinterpret_cast<const char*>(stored.Row(0)), 3))
            << static_cast<int>(corner.Orientation);
        // And the map agrees with the copy everywhere.
        const TOrientationMap map{corner.Orientation, displayed.Width(), displayed.Height()};
        for (int shownY = 0; shownY < displayed.Height(); ++shownY)
            for (int shownX = 0; shownX < displayed.Width(); ++shownX) {
                int sx = 0, sy = 0;
                map.StoredPoint(shownX, shownY, sx, sy);
                ASSERT_EQ(0, std::memcmp(displayed.Row(shownY) + shownX * 3, stored.Row(sy) + sx * 3, 3));
            }
    }
    EXPECT_EQ(OrientationFromExif(0), TOrientation::Normal);
    EXPECT_EQ(OrientationFromExif(6), TOrientation::Turn90);
}
