// Canvas, bitmaps and pictures against real GDI.

#include "core/Exceptions.h"
#include "core/codec/JpegTestData.h"
#include "core/codec/PictureFiles.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/stdctrls/ReducedBitmap.h"
#include "support/ErrorOf.h"
#include "support/Render.h"
#include "support/SamplePictures.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jerror.h>
#include <string>
#include <vector>

TEST(Graphics, GdiObjectsDoNotGrowOverAThousandBitmapCycles)
{
    // Warm up once so lazily made objects of the framework exist already.
    {
        TBitmap warm(8, 8);
        warm.Canvas().Brush().SetColor(clRed);
        warm.Canvas().FillRect({0, 0, 8, 8});
    }
    const long before = gdi::LiveObjectCount();
    TBitmap target(64, 64);
    for (int cycle = 0; cycle < 1000; ++cycle) {
        TBitmap bitmap(32 + cycle % 7, 24);
        TCanvas& canvas = bitmap.Canvas();
        canvas.Brush().SetColor(RGBColor(cycle % 256, 10, 20));
        canvas.FillRect({0, 0, 16, 16});
        canvas.Pen().SetColor(clBlue);
        canvas.Rectangle(1, 1, 20, 20);
        canvas.Font().SetHeight(-11 - cycle % 3);
        RECT text{0, 0, 30, 20};
        canvas.DrawText("Tessivo", text, DT_SINGLELINE);
        bitmap.SetTransparent(cycle % 2 == 0);
        target.Canvas().Draw(cycle % 30, 0, bitmap);
        target.Canvas().StretchDraw({0, 0, 10, 10}, bitmap);
    }
    EXPECT_EQ(gdi::LiveObjectCount(), before + 2); // target's bitmap and its DC
}

TEST(Graphics, CanvasDrawsWithItsPenAndBrush)
{
    TBitmap bitmap(20, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(RGBColor(1, 2, 3));
    canvas.FillRect({0, 0, 20, 10});
    canvas.Pen().SetColor(RGBColor(200, 0, 0));
    canvas.MoveTo(0, 5);
    canvas.LineTo(10, 5); // the end point itself is not painted
    EXPECT_EQ(PixelAt(bitmap, 0, 5), 0x0000C8u);
    EXPECT_EQ(PixelAt(bitmap, 9, 5), 0x0000C8u);
    EXPECT_EQ(PixelAt(bitmap, 10, 5), 0x030201u);
    canvas.SetPixel(15, 2, clWhite);
    EXPECT_EQ(PixelAt(bitmap, 15, 2), 0xFFFFFFu);
}

TEST(Graphics, BrushCopyReplacesOnlyTheChosenColour)
{
    TBitmap glyph(3, 1);
    glyph.Canvas().SetPixel(0, 0, clBlack);
    glyph.Canvas().SetPixel(1, 0, clSilver);
    glyph.Canvas().SetPixel(2, 0, RGBColor(1, 1, 1));
    TBitmap copy(3, 1);
    copy.Canvas().Brush().SetColor(RGBColor(128, 128, 128));
    copy.Canvas().BrushCopy({0, 0, 3, 1}, glyph, {0, 0, 3, 1}, clBlack);
    EXPECT_EQ(PixelAt(copy, 0, 0), 0x808080u);
    EXPECT_EQ(PixelAt(copy, 1, 0), 0xC0C0C0u);
    EXPECT_EQ(PixelAt(copy, 2, 0), 0x010101u);
}

TEST(Graphics, TransparentDrawLeavesOutTheBottomLeftColour)
{
    TBitmap glyph(2, 2);
    glyph.Canvas().Brush().SetColor(clSilver);
    glyph.Canvas().FillRect({0, 0, 2, 2});
    glyph.Canvas().SetPixel(1, 0, clBlack);
    glyph.SetTransparent(true);
    TBitmap target(4, 4);
    target.Canvas().Brush().SetColor(clWhite);
    target.Canvas().FillRect({0, 0, 4, 4});
    target.Canvas().Draw(1, 1, glyph);
    EXPECT_EQ(PixelAt(target, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(target, 2, 1), 0x000000u);
    EXPECT_EQ(PixelAt(target, 2, 2), 0xFFFFFFu);
}

TEST(Graphics, ScanLinesAddressTopDownRows)
{
    TBitmap bitmap(3, 2);
    bitmap.Canvas().SetPixel(2, 1, RGBColor(10, 20, 30));
    const uint8_t* row = bitmap.ScanLine(1);
    EXPECT_EQ(row[6], 30); // blue
    EXPECT_EQ(row[7], 20);
    EXPECT_EQ(row[8], 10); // red
    EXPECT_THROW(bitmap.ScanLine(2), EInvalidGraphic);
}

TEST(Graphics, BitmapSurvivesASaveAndLoadRoundTrip)
{
    TBitmap bitmap(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            bitmap.Canvas().SetPixel(x, y, RGBColor(x * 40, y * 80, 7));
    TTempFolder folder;
    const std::string path = folder / "roundtrip.bmp";
    bitmap.SaveToFile(path);
    TBitmap loaded;
    loaded.LoadFromFile(path);
    ASSERT_EQ(loaded.Width(), 5);
    ASSERT_EQ(loaded.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(PixelAt(loaded, x, y), PixelAt(bitmap, x, y)) << x << "," << y;
}

TEST(Graphics, PictureChoosesItsKindByExtension)
{
    TPicture picture;
    try {
        picture.LoadFromFile("C:\\pictures\\sea.pcx");
        FAIL() << "a .pcx must be refused";
    } catch (const EInvalidGraphic& error) {
        EXPECT_STREQ(error.what(), "Unknown picture file extension (.pcx)");
    }
    // A dot in a folder name is no extension.
    try {
        picture.LoadFromFile("C:\\my.pictures\\sea");
        FAIL() << "a name without extension must be refused";
    } catch (const EInvalidGraphic& error) {
        EXPECT_STREQ(error.what(), "Unknown picture file extension (.)");
    }
    EXPECT_EQ(picture.Graphic(), nullptr);

    // A missing file of a known kind: the open error, and the picture keeps
    // what it held.
    TTempFolder folder;
    for (const char* known : {"missing.JPG", "missing.jpe", "missing.JFIF", "missing.Png", "missing.tif"})
        EXPECT_THROW(picture.LoadFromFile(folder / known), EFOpenError) << known;
    EXPECT_EQ(picture.Graphic(), nullptr);

    // An existing file of no known data under such a name: the same.
    PutFileBytes(folder / "sea.pcx", "not a picture");
    EXPECT_EQ(ErrorOf([&] { picture.LoadFromFile(folder / "sea.pcx"); }),
              "Unknown picture file extension (.pcx)");
}

TEST(Graphics, CorruptBitmapFileIsRejectedAndLeavesTheBitmapAsItWas)
{
    TTempFolder folder;
    const std::string path = folder / "corrupt.bmp";
    PutFileBytes(path, "BM this is not a bitmap at all");
    TBitmap bitmap(2, 2);
    bitmap.Canvas().SetPixel(0, 0, clRed);
    try {
        bitmap.LoadFromFile(path);
        FAIL() << "corrupt data must be refused";
    } catch (const EInvalidGraphic& error) {
        EXPECT_STREQ(error.what(), "Bitmap image is not valid");
    }
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), 0x0000FFu);
}

namespace {

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string LoadError(const std::string& path)
{
    TPicture picture;
    const std::string error = ErrorOf([&] { picture.LoadFromFile(path); });
    EXPECT_EQ(picture.Graphic(), nullptr);
    return error;
}

} // namespace

TEST(Graphics, IconsAndMetafilesClaimingHugePicturesAreRefusedBeforeLoading)
{
    TTempFolder folder;
    // 108 bytes that claim 26 700 x 26 700 pixels; an icon whose PNG claims
    // 18 000 x 18 000 (its pixels are never looked at).
    const std::string emf = folder / "huge.emf";
    WriteBytes(emf, codec_test::EmfClaiming(26700, 26700));
    EXPECT_EQ(LoadError(emf), "Image is too large (26700 x 26700 pixels)");
    const std::string ico = folder / "huge.ico";
    WriteBytes(ico, codec_test::IconFile({codec_test::PngClaiming(18000, 18000)}));
    EXPECT_EQ(LoadError(ico), "Image is too large (18000 x 18000 pixels)");
    // Not an icon at all.
    WriteBytes(ico, {'B', 'M', 0, 0, 0, 0});
    EXPECT_EQ(LoadError(ico), "Bitmap image is not valid");
}

TEST(Graphics, AnIconShowsItsLargestPictureAtItsOwnSize)
{
    TTempFolder folder;
    const std::string ico = folder / "two.ico";
    WriteBytes(ico, codec_test::IconFile({codec_test::DibIconImage(16, 16, 0x0000FF),
                                          codec_test::DibIconImage(40, 24, 0xFF0000)}));
    TPicture picture;
    picture.LoadFromFile(ico);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 40);
    EXPECT_EQ(picture.Height(), 24);
    TBitmap drawn(40, 24);
    drawn.Canvas().Draw(0, 0, *picture.Graphic());
    EXPECT_EQ(PixelAt(drawn, 20, 12), 0x0000FFu); // red, as 0x00BBGGRR
    EXPECT_EQ(PixelAt(drawn, 39, 23), 0x0000FFu);
}

TEST(Graphics, AnIconHoldingAPngShowsIt)
{
    TTempFolder folder;
    const std::string ico = folder / "png.ico";
    WriteBytes(ico, codec_test::IconFile({codec_test::PngImage(20, 10, 0x00FF00)}));
    TPicture picture;
    picture.LoadFromFile(ico);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 20);
    EXPECT_EQ(picture.Height(), 10);
    TBitmap drawn(20, 10);
    drawn.Canvas().Draw(0, 0, *picture.Graphic());
    EXPECT_EQ(PixelAt(drawn, 10, 5), 0x00FF00u);
}

TEST(Graphics, PicturesOfEveryFormatLoadAndHugeOrBrokenOnesAreRefused)
{
    TTempFolder folder;
    const auto put = [&folder](const char* name, const auto& bytes) {
        WriteBytes(folder / name, std::vector<uint8_t>(std::begin(bytes), std::end(bytes)));
        return folder / name;
    };
    const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    // Each picture, with its size and the first row's two first pixels.
    struct Case {
        std::string Path;
        int Width, Height;
        COLORREF First, Second;
    };
    const Case cases[] = {
        {put("clear.PNG", AlphaPng), 4, 2, RGB(255, 0, 0), desktop},
        {put("two.png", TwoColourPng), 8, 2, RGB(0, 0, 128), RGB(255, 165, 0)},
        {put("frames.gif", TwoFramesGif), 4, 2, RGB(255, 0, 0), RGB(255, 0, 0)},
        {put("pages.tiff", TwoPagesTif), 4, 2, RGB(255, 0, 0), RGB(255, 0, 0)},
        {put("opaque.webp", OpaqueWebp), 4, 2, RGB(255, 0, 0), RGB(0, 255, 0)},
    };
    for (const Case& c : cases) {
        TPicture picture;
        picture.LoadFromFile(c.Path);
        ASSERT_NE(picture.Graphic(), nullptr) << c.Path;
        EXPECT_EQ(picture.Width(), c.Width) << c.Path;
        EXPECT_EQ(picture.Height(), c.Height) << c.Path;
        // As the preview keeps it: at most the box's size, from the pixels.
        const std::unique_ptr<TBitmap> shown = BoundedBitmap(*picture.Graphic(), 100, 100);
        EXPECT_EQ(PixelAt(*shown, 0, 0), c.First) << c.Path;
        EXPECT_EQ(PixelAt(*shown, 1, 0), c.Second) << c.Path;
    }

    WriteBytes(folder / "huge.png", codec_test::PngClaiming(60000, 60000));
    EXPECT_EQ(LoadError(folder / "huge.png"), "Image is too large (60000 x 60000 pixels)");
    WriteBytes(folder / "huge.gif", codec_test::GifClaiming(20000, 20000));
    EXPECT_EQ(LoadError(folder / "huge.gif"), "Image is too large (20000 x 20000 pixels)");
    WriteBytes(folder / "huge.tif", codec_test::TiffClaiming(30000, 30000));
    EXPECT_EQ(LoadError(folder / "huge.tif"), "Image is too large (30000 x 30000 pixels)");
    WriteBytes(folder / "huge.webp", codec_test::WebpClaiming(16000, 16000, true));
    EXPECT_EQ(LoadError(folder / "huge.webp"), "Image is too large (16000 x 16000 pixels)");
    WriteBytes(folder / "text.webp", {'t', 'e', 'x', 't'});
    EXPECT_EQ(LoadError(folder / "text.webp"), "WebP image is not valid");
    EXPECT_EQ(LoadError(folder / "missing.gif").rfind("Cannot open file", 0), 0u);
}

TEST(Graphics, PictureIsKnownByItsDataWhateverItsName)
{
    TTempFolder folder;
    const auto put = [&folder](const char* name, const std::vector<uint8_t>& bytes) {
        WriteBytes(folder / name, bytes);
        return folder / name;
    };
    const std::vector<uint8_t> png = codec_test::PngImage(6, 4, 0x00FF00);
    const std::vector<uint8_t> jpeg = codec_test::EncodeTestJpeg(24, 16);
    const std::vector<uint8_t> webp(std::begin(OpaqueWebp), std::end(OpaqueWebp));
    struct Case {
        std::string Path;
        int Width, Height;
    };
    const Case cases[] = {
        {put("png.jpg", png), 6, 4},     {put("webp.JPG", webp), 4, 2}, {put("jpeg.png", jpeg), 24, 16},
        {put("jpeg.dat", jpeg), 24, 16}, {put("png.bmp", png), 6, 4},
    };
    for (const Case& c : cases) {
        TPicture picture;
        picture.LoadFromFile(c.Path);
        ASSERT_NE(picture.Graphic(), nullptr) << c.Path;
        EXPECT_EQ(picture.Width(), c.Width) << c.Path;
        EXPECT_EQ(picture.Height(), c.Height) << c.Path;
        const std::unique_ptr<TBitmap> shown = BoundedBitmap(*picture.Graphic(), 100, 100);
        EXPECT_EQ(shown->Width(), c.Width) << c.Path;
    }
    // Data of no format under a picture's name is refused as broken in the
    // format the name claims, in words.
    EXPECT_EQ(LoadError(put("text.jpg", {'t', 'e', 'x', 't'})),
              "JPEG error #" + std::to_string(JERR_NO_SOI) + ": the file is not a JPEG picture");
    EXPECT_EQ(LoadError(put("empty.jpg", {})),
              "JPEG error #" + std::to_string(JERR_INPUT_EMPTY) + ": the file is empty");
}
