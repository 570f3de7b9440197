// A small picture in a huge file: the file is mapped, its headers read
// first, and only the picture's own bytes touched, so memory follows the
// picture and not the file. Its own suite, so that the process's peak has
// seen nothing larger before.

#include "core/codec/JpegTestData.h"
#include "core/codec/PictureFiles.h"
#include "core/codec/PixelImage.h"
#include "framework/graphics/Picture.h"
#include "framework/stdctrls/ReducedBitmap.h"
#include "platform/PictureFile.h"
#include "platform/WideText.h"
#include "support/TempFolder.h"
#include "wallpaper/JpegToBitmap.h"

#include <gtest/gtest.h>
#include <psapi.h>
#include <string>
#include <windows.h>

namespace {

constexpr uint64_t kPadding = uint64_t{1} << 30;
// Far above what decoding a 64 x 48 picture takes, far below the padding.
constexpr uint64_t kGrowthBound = uint64_t{200} << 20;

uint64_t PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    EXPECT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters));
    return counters.PeakWorkingSetSize;
}

// The picture followed by a gigabyte of zeros: a sparse file, the one byte
// at its end written after a seek (the disk holds little of it).
void WritePadded(const std::string& path, const std::vector<uint8_t>& picture)
{
    HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, picture.data(), static_cast<DWORD>(picture.size()), &written, nullptr));
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(picture.size() + kPadding - 1);
    EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    const uint8_t zero = 0;
    EXPECT_TRUE(WriteFile(file, &zero, 1, &written, nullptr));
    CloseHandle(file);
}

} // namespace

TEST(PictureFileMemory, APicturePaddedToAGigabyteIsDecodedWithoutReadingThePadding)
{
    TTempFolder folder;
    const std::string jpeg = folder / "padded.jpg";
    const std::string png = folder / "padded.png";
    WritePadded(jpeg, codec_test::EncodeTestJpeg(64, 48));
    WritePadded(png, codec_test::PngImage(64, 48, 0x00FF00));
    const uint64_t before = PeakWorkingSet();

    // The preview's way: the picture chosen by its data, reduced to a box.
    for (const std::string& path : {jpeg, png}) {
        TPicture picture;
        picture.LoadFromFile(path);
        ASSERT_NE(picture.Graphic(), nullptr) << path;
        EXPECT_EQ(BoundedBitmap(*picture.Graphic(), 32, 24)->Width(), 32) << path;
    }
    // The wallpaper's ways: every format, and the tick's JPEG.
    for (const std::string& path : {jpeg, png}) {
        PixelImage decoded;
        PictureRequest request;
        request.Allocate = decoded.Allocator();
        EXPECT_EQ(DecodePictureFile(path, request).Width, 64) << path;
    }
    EXPECT_EQ(DecodeJpegFile(jpeg).Height, 48);

    const uint64_t growth = PeakWorkingSet() - before;
    RecordProperty("PeakWorkingSetGrowthKB", std::to_string(growth >> 10));
    EXPECT_LT(growth, kGrowthBound) << "the peak working set rose by " << (growth >> 20) << " MB";
}
