#include "PreviewBench.h"

#include "CodecBench.h"
#include "LibjpegReference.h"

#include "core/codec/JpegDecoder.h"
#include "core/codec/PixelImage.h"
#include "lists/PreviewScale.h"

#include <benchmark/benchmark.h>
#include <exception>
#include <string>

namespace {

// The preview box of the main window (previewImage).
constexpr int kBoxWidth = 218;
constexpr int kBoxHeight = 162;

// What the preview does with a JPEG (TJPEGImage with its scale set): a
// scaled decode that stops reading a progressive file once the 1/8
// picture is final, into a fresh 24-bit picture.
void TessivoPreview(benchmark::State& state, const BenchPicture* picture)
{
    JpegDecodeOptions options;
    options.ScaleDenom = PreviewBenchScale(picture->Info.Width, picture->Info.Height);
    options.StopEarlyAtEighth = true;
    JpegDecodeResult result;
    for (auto _ : state) {
        PixelImage image;
        result = DecodeJpeg(picture->Bytes.data(), picture->Bytes.size(), options, image.Allocator());
        benchmark::DoNotOptimize(image.Row(0));
    }
    state.counters["input_read_%"] =
        100.0 * static_cast<double>(result.BytesRead) / static_cast<double>(picture->Bytes.size());
}

void LibjpegPreview(benchmark::State& state, const BenchPicture* picture)
{
    const int denom = PreviewBenchScale(picture->Info.Width, picture->Info.Height);
    for (auto _ : state) {
        ReferencePicture decoded = ReferenceDecode(picture->Bytes.data(), picture->Bytes.size(), denom);
        benchmark::DoNotOptimize(decoded.Pixels.get());
    }
}

void DjpegPreview(benchmark::State& state, const BenchPicture* picture)
{
    DjpegBench(state, picture, PreviewBenchScale(picture->Info.Width, picture->Info.Height));
}

} // namespace

int PreviewBenchScale(int width, int height)
{
    return PreviewScaleDenominator(width, height, kBoxWidth, kBoxHeight);
}

void RegisterPreviewBenchmarks(const std::vector<BenchPicture>& pictures)
{
    for (const BenchPicture& picture : pictures) {
        const std::string prefix = "Preview/" + picture.Name + "/";
        benchmark::RegisterBenchmark((prefix + "tessivo").c_str(), TessivoPreview, &picture)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((prefix + "libjpeg").c_str(), LibjpegPreview, &picture)
            ->Unit(benchmark::kMillisecond);
        // A child process: only the wall time means anything.
        benchmark::RegisterBenchmark((prefix + "djpeg").c_str(), DjpegPreview, &picture)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}
