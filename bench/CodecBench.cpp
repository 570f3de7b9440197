// JPEG decoding at full size and at 1/8 (with and without the early stop for
// progressive files), djpeg as the reference, and BMP writing and reading
// of the full-size picture.

#include "CodecBench.h"

#include "ChildProcess.h"

#include "core/codec/BmpCodec.h"
#include "core/codec/JpegDecoder.h"
#include "core/codec/PixelImage.h"

#include <benchmark/benchmark.h>
#include <exception>

namespace {

void DecodeJpegBench(benchmark::State& state, const BenchPicture* picture, int denom, bool stopEarly)
{
    JpegDecodeOptions options;
    options.ScaleDenom = denom;
    options.StopEarlyAtEighth = stopEarly;
    PixelImage image;
    JpegDecodeResult result;
    for (auto _ : state) {
        result = DecodeJpeg(picture->Bytes.data(), picture->Bytes.size(), options, image.Allocator());
        benchmark::DoNotOptimize(image.Row(0));
    }
    state.counters["input_read_%"] =
        100.0 * static_cast<double>(result.BytesRead) / static_cast<double>(picture->Bytes.size());
    state.counters["output_px/s"] = benchmark::Counter(static_cast<double>(result.Width) * result.Height,
                                                       benchmark::Counter::kIsIterationInvariantRate);
}

void BmpBench(benchmark::State& state, const BenchPicture* picture, bool write)
{
    PixelImage image;
    DecodeJpeg(picture->Bytes.data(), picture->Bytes.size(), {}, image.Allocator());
    const std::vector<uint8_t> file = EncodeBmp24(image.Width(), image.Height(), image.Rows());
    PixelImage decoded;
    for (auto _ : state) {
        if (write) {
            size_t written = 0;
            WriteBmp24(image.Width(), image.Height(), image.Rows(),
                       [&written](const void*, size_t count) { written += count; });
            benchmark::DoNotOptimize(written);
        } else {
            DecodeBmp(file.data(), file.size(), decoded.Allocator());
            benchmark::DoNotOptimize(decoded.Row(0));
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}

} // namespace

// The reference tool, process start included (a few milliseconds).
void DjpegBench(benchmark::State& state, const BenchPicture* picture, int denom)
{
    const std::vector<std::string> command{"djpeg",    "-scale",    "1/" + std::to_string(denom),
                                           "-outfile", "/dev/null", picture->Path.string()};
    for (auto _ : state) {
        try {
            RunProgram(command);
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            break;
        }
    }
}

void RegisterCodecBenchmarks(const std::vector<BenchPicture>& pictures)
{
    for (const BenchPicture& picture : pictures) {
        const BenchPicture* p = &picture;
        const std::string& name = picture.Name;
        benchmark::RegisterBenchmark(("JpegDecode/full/" + name).c_str(), DecodeJpegBench, p, 1, false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("JpegDecode/eighth/" + name).c_str(), DecodeJpegBench, p, 8, true)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("JpegDecode/eighth-all-scans/" + name).c_str(), DecodeJpegBench, p, 8,
                                     false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Djpeg/full/" + name).c_str(), DjpegBench, p, 1)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("Djpeg/eighth/" + name).c_str(), DjpegBench, p, 8)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    if (!pictures.empty()) {
        benchmark::RegisterBenchmark(("Bmp24/write/" + pictures[0].Name).c_str(), BmpBench, &pictures[0],
                                     true)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Bmp24/read/" + pictures[0].Name).c_str(), BmpBench, &pictures[0],
                                     false)
            ->Unit(benchmark::kMillisecond);
    }
}
