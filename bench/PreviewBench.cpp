#include "PreviewBench.h"

#include "CodecBench.h"
#include "LibjpegReference.h"

#include "core/codec/JpegDecoder.h"
#include "core/codec/PixelImage.h"
#include "lists/PreviewLayout.h"
#include "lists/PreviewScale.h"

#include <benchmark/benchmark.h>
#include <exception>
#include <string>

namespace {

// The preview box of the main window (previewImage), showing a 1920 x
// 1080 monitor in the style a new user has ("Stretch").
TPreviewFrame BenchFrame()
{
    TPreviewFrame frame;
    frame.Monitors = {{0, 0, 1920, 1080}};
    frame.Fit = TWallpaperFit::Stretch;
    frame.BoxWidth = 218;
    frame.BoxHeight = 162;
    return frame;
}

// What the preview does with a JPEG (TJPEGImage with its scale set): a
// scaled decode that stops reading a progressive file once the 1/8
// picture is final, into a fresh 24-bit picture, then the monitor's
// picture drawn from it.
void TessivoPreview(benchmark::State& state, const BenchPicture* picture)
{
    JpegDecodeOptions options;
    options.ScaleDenom = PreviewBenchScale(picture->Info.Width, picture->Info.Height);
    options.StopEarlyAtEighth = true;
    JpegDecodeResult result;
    const TPreviewFrame frame = BenchFrame();
    const TScreenRect screenRect = frame.Screen();
    PixelImage screen(screenRect.Width(), screenRect.Height());
    for (auto _ : state) {
        PixelImage image;
        result = DecodeJpeg(picture->Bytes.data(), picture->Bytes.size(), options, image.Allocator());
        ComposePreview(PixelRowsView{image.Row(0), image.Width(), image.Height(), image.Stride()},
                       picture->Info.Width, picture->Info.Height, frame,
                       PixelRowsView{screen.Row(0), screen.Width(), screen.Height(), screen.Stride()});
        benchmark::DoNotOptimize(screen.Row(0));
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
    int keptWidth = 0, keptHeight = 0;
    BenchFrame().KeptSize(width, height, keptWidth, keptHeight);
    return PreviewScaleDenominator(width, height, keptWidth, keptHeight);
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
