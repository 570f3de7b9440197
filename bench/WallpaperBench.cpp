#include "WallpaperBench.h"

#include "ChildProcess.h"
#include "LibjpegReference.h"

#include "core/codec/BmpCodec.h"
#include "core/codec/JpegDecoder.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File OpenFile(const fs::path& path, const char* mode)
{
    File file(std::fopen(path.c_str(), mode));
    if (!file)
        throw std::runtime_error("cannot open " + path.string());
    return file;
}

std::vector<uint8_t> ReadFile(const fs::path& path)
{
    const File file = OpenFile(path, "rb");
    std::vector<uint8_t> bytes(static_cast<size_t>(fs::file_size(path)));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        throw std::runtime_error("cannot read " + path.string());
    return bytes;
}

void CloseFile(File file, const fs::path& path)
{
    if (std::fclose(file.release()) != 0)
        throw std::runtime_error("cannot write " + path.string());
}

void Run(benchmark::State& state, void (*convert)(const BenchPicture&, const fs::path&),
         const BenchPicture* picture, const fs::path& bitmapPath)
{
    for (auto _ : state) {
        try {
            convert(*picture, bitmapPath);
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            break;
        }
    }
}

void ConvertWithDjpeg(const BenchPicture& picture, const fs::path& bitmapPath)
{
    RunProgram({"djpeg", "-bmp", "-outfile", bitmapPath.string(), picture.Path.string()});
}

// The decoding part alone of the two in-process conversions, to tell the
// decode's share of each from the file writing's.
std::vector<uint8_t> DecodeLikeTessivo(const std::vector<uint8_t>& jpeg)
{
    std::vector<uint8_t> pixels;
    DecodeJpeg(jpeg.data(), jpeg.size(), JpegDecodeOptions{}, [&pixels](int width, int height) {
        const uint64_t stride = Dib24Stride(static_cast<uint64_t>(width));
        pixels.assign(static_cast<size_t>(stride * static_cast<uint64_t>(height)), 0);
        return PixelRows{pixels.data(), static_cast<ptrdiff_t>(stride)};
    });
    return pixels;
}

void DecodeOnlyTessivo(const BenchPicture& picture, const fs::path&)
{
    const std::vector<uint8_t> pixels = DecodeLikeTessivo(ReadFile(picture.Path));
    benchmark::DoNotOptimize(pixels.data());
}

void DecodeOnlyLibjpeg(const BenchPicture& picture, const fs::path&)
{
    const std::vector<uint8_t> jpeg = ReadFile(picture.Path);
    const ReferencePicture decoded = ReferenceDecode(jpeg.data(), jpeg.size(), 1);
    benchmark::DoNotOptimize(decoded.Pixels.get());
}

} // namespace

// The portable equivalent of ConvertJpegToBitmap (wallpaper/JpegToBitmap.cpp):
// the whole file read into memory, decoded at full size straight into the
// BMP file's bottom-up row order, written in one piece under a temporary
// name, then renamed.
void ConvertLikeTessivo(const BenchPicture& picture, const fs::path& bitmapPath)
{
    const std::vector<uint8_t> jpeg = ReadFile(picture.Path);
    std::vector<uint8_t> pixels;
    const AllocatePixels allocate = [&](int width, int height) {
        const uint64_t stride = Dib24Stride(static_cast<uint64_t>(width));
        pixels.assign(static_cast<size_t>(stride * static_cast<uint64_t>(height)), 0);
        return PixelRows{pixels.data() + stride * static_cast<uint64_t>(height - 1),
                         -static_cast<ptrdiff_t>(stride)};
    };
    const JpegDecodeResult decoded = DecodeJpeg(jpeg.data(), jpeg.size(), JpegDecodeOptions{}, allocate);

    const fs::path temporary = bitmapPath.string() + ".tmp";
    File file = OpenFile(temporary, "wb");
    WriteBmp24Dib(decoded.Width, decoded.Height, pixels.data(),
                  [&file, &temporary](const void* bytes, size_t count) {
                      if (std::fwrite(bytes, 1, count, file.get()) != count)
                          throw std::runtime_error("cannot write " + temporary.string());
                  });
    CloseFile(std::move(file), temporary);
    fs::rename(temporary, bitmapPath);
}

void ConvertWithLibjpeg(const BenchPicture& picture, const fs::path& bitmapPath)
{
    const std::vector<uint8_t> jpeg = ReadFile(picture.Path);
    const ReferencePicture decoded = ReferenceDecode(jpeg.data(), jpeg.size(), 1);
    uint8_t header[54];
    MakeBmp24Header(decoded.Width, decoded.Height, header);
    File file = OpenFile(bitmapPath, "wb");
    const size_t pixelBytes = decoded.Stride * static_cast<size_t>(decoded.Height);
    if (std::fwrite(header, 1, sizeof header, file.get()) != sizeof header ||
        std::fwrite(decoded.Pixels.get(), 1, pixelBytes, file.get()) != pixelBytes)
        throw std::runtime_error("cannot write " + bitmapPath.string());
    CloseFile(std::move(file), bitmapPath);
}

void RegisterWallpaperBenchmarks(const std::vector<BenchPicture>& pictures, const fs::path& outputFolder)
{
    const struct {
        const char* Name;
        void (*Convert)(const BenchPicture&, const fs::path&);
    } methods[] = {{"tessivo", ConvertLikeTessivo},
                   {"djpeg-bmp", ConvertWithDjpeg},
                   {"libjpeg-fwrite", ConvertWithLibjpeg},
                   {"tessivo-decode", DecodeOnlyTessivo},
                   {"libjpeg-decode", DecodeOnlyLibjpeg}};
    for (const BenchPicture& picture : pictures)
        for (const auto& method : methods) {
            const fs::path bitmap = outputFolder / (std::string("wallpaper-") + method.Name + ".bmp");
            benchmark::RegisterBenchmark(("Wallpaper/" + picture.Name + "/" + method.Name).c_str(), Run,
                                         method.Convert, &picture, bitmap)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
}
