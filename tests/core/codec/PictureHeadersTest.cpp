// The sizes icon and metafile files claim, read from their headers, and the
// one size check they then pass.

#include "core/codec/PictureHeaders.h"

#include "PictureFiles.h"
#include "core/Exceptions.h"
#include "core/codec/PixelBuffer.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

using namespace codec_test;

TEST(PictureHeaders, AnIconsPicturesGiveTheirOwnSizesAndTheLargestIsShown)
{
    const std::vector<uint8_t> file =
        IconFile({DibIconImage(16, 16, 0xFF0000), PngClaiming(18000, 17000), DibIconImage(48, 32, 0x00FF00)});
    const std::vector<IconImage> images = ReadIconImages(file.data(), file.size());
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].Size.Width, 16);
    EXPECT_EQ(images[0].Size.Height, 16); // the stored height counts the mask too
    EXPECT_FALSE(images[0].Png);
    EXPECT_EQ(images[2].Size.Width, 48);
    EXPECT_EQ(images[2].Size.Height, 32);
    const IconImage& shown = LargestIconImage(images);
    EXPECT_TRUE(shown.Png);
    EXPECT_EQ(shown.Size.Width, 18000);
    EXPECT_EQ(shown.Size.Height, 17000);
    EXPECT_EQ(file[shown.Offset], 0x89);

    // The largest sides a PNG can state.
    const std::vector<uint8_t> widest =
        IconFile({DibIconImage(8, 8, 0), PngClaiming(0xFFFFFFFFu, 0xFFFFFFFFu)});
    EXPECT_EQ(LargestIconImage(ReadIconImages(widest.data(), widest.size())).Size.Width, 0xFFFFFFFFll);

    // A picture whose data lies past the file's end is left out.
    std::vector<uint8_t> cut = IconFile({DibIconImage(8, 8, 0), DibIconImage(64, 64, 0)});
    cut.resize(cut.size() - 100);
    const std::vector<IconImage> left = ReadIconImages(cut.data(), cut.size());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].Size.Width, 8);
}

TEST(PictureHeaders, FilesWithoutAnIconDirectoryOrAPictureAreInvalid)
{
    const auto error = [](std::vector<uint8_t> file) {
        return ErrorOf([&] { ReadIconImages(file.data(), file.size()); });
    };
    const std::string invalid = "Bitmap image is not valid";
    EXPECT_EQ(error({}), invalid);
    EXPECT_EQ(error({0, 0, 2, 0, 1, 0}), invalid);         // a cursor directory
    EXPECT_EQ(error({0, 0, 1, 0, 0, 0}), invalid);         // no pictures
    EXPECT_EQ(error({0, 0, 1, 0, 1, 0, 16, 16}), invalid); // the directory cut short
    std::vector<uint8_t> zeroSized = IconFile({DibIconImage(0, 0, 0)});
    EXPECT_EQ(error(zeroSized), invalid);
    std::vector<uint8_t> cut = IconFile({DibIconImage(16, 16, 0)});
    cut.resize(30);
    EXPECT_EQ(error(cut), invalid);
}

TEST(PictureHeaders, AnEnhancedMetafileClaimsTheSizeOfItsBounds)
{
    PictureSize size;
    std::vector<uint8_t> emf = EmfClaiming(26700, 26700);
    EXPECT_EQ(emf.size(), 108u);
    ASSERT_TRUE(ReadEmfSize(emf.data(), emf.size(), size));
    EXPECT_EQ(size.Width, 26700);
    EXPECT_EQ(size.Height, 26700);
    emf = EmfClaiming(-5, 300); // bounds turned inside out: nothing to draw across
    ASSERT_TRUE(ReadEmfSize(emf.data(), emf.size(), size));
    EXPECT_EQ(size.Width, 0);
    EXPECT_EQ(size.Height, 300);
    // Not an enhanced metafile: a Windows metafile, or too short.
    const std::vector<uint8_t> wmf = {1, 0, 9, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(ReadEmfSize(wmf.data(), wmf.size(), size));
    EXPECT_FALSE(ReadEmfSize(emf.data(), 87, size));
}

TEST(PictureSizeCheck, RefusesWhatTheLoaderWouldHoldBeyondTheBound)
{
    EXPECT_EQ(ErrorOf([] { CheckPictureSize(26700, 26700); }), "Image is too large (26700 x 26700 pixels)");
    // 18 000 x 18 000 fits as a 24-bit picture, not as an icon's several copies.
    EXPECT_EQ(ErrorOf([] { CheckPictureSize(18000, 18000); }), "");
    EXPECT_EQ(ErrorOf([] { CheckPictureSize(18000, 18000, 65); }),
              "Image is too large (18000 x 18000 pixels)");
    EXPECT_EQ(ErrorOf([] { CheckPictureSize(int64_t{1} << 40, 1); }),
              "Image is too large (2147483647 x 1 pixels)");
    EXPECT_EQ(ErrorOf([] { CheckPictureSize(0, 0); }), "");
}
