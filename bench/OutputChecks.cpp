#include "OutputChecks.h"

#include "ChildProcess.h"
#include "LibjpegReference.h"
#include "PreviewBench.h"
#include "WallpaperBench.h"

#include "core/codec/JpegDecoder.h"
#include "core/codec/PixelImage.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<char> PixelData(const fs::path& bitmap)
{
    std::ifstream in(bitmap, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // Each file here has the 54-byte header of an uncompressed 24-bit BMP;
    // the header fields (resolution) may differ, the pixels must not.
    bytes.erase(bytes.begin(), bytes.begin() + std::min<size_t>(54, bytes.size()));
    return bytes;
}

} // namespace

bool PreviewMatchesLibjpeg(const BenchPicture& picture)
{
    const int denom = PreviewBenchScale(picture.Info.Width, picture.Info.Height);
    JpegDecodeOptions options;
    options.ScaleDenom = denom;
    options.StopEarlyAtEighth = true;
    PixelImage ours;
    DecodeJpeg(picture.Bytes.data(), picture.Bytes.size(), options, ours.Allocator());
    const ReferencePicture reference = ReferenceDecode(picture.Bytes.data(), picture.Bytes.size(), denom);
    if (ours.Width() != reference.Width || ours.Height() != reference.Height)
        return false;
    for (int y = 0; y < ours.Height(); ++y) {
        const uint8_t* theirs = reference.Pixels.get() + (reference.Height - 1 - y) * reference.Stride;
        if (std::memcmp(ours.Row(y), theirs, static_cast<size_t>(ours.Width()) * 3) != 0)
            return false;
    }
    return true;
}

std::string CompareWallpaperOutputs(const BenchPicture& picture, const fs::path& folder)
{
    const fs::path ours = folder / "check-tessivo.bmp";
    const fs::path djpeg = folder / "check-djpeg.bmp";
    const fs::path floor = folder / "check-libjpeg.bmp";
    ConvertLikeTessivo(picture, ours);
    RunProgram({"djpeg", "-bmp", "-outfile", djpeg.string(), picture.Path.string()});
    ConvertWithLibjpeg(picture, floor);
    const std::vector<char> oursPixels = PixelData(ours);
    std::string result;
    if (PixelData(djpeg) != oursPixels)
        result += "differs from djpeg -bmp; ";
    if (PixelData(floor) != oursPixels)
        result += "differs from libjpeg; ";
    for (const fs::path& path : {ours, djpeg, floor})
        fs::remove(path);
    return result.empty() ? "identical" : result.substr(0, result.size() - 2);
}
