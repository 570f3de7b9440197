// The wallpaper tick in "Fill" onto a 1920x1080 screen against the
// full-size conversion a tick made before and against its floor, each
// photograph apart: time (median of interleaved repetitions) and the peak
// memory each adds (one forked process per figure, its maximum resident
// set above that of a process that does nothing). The last two columns
// are the ratios of processor time, which the waits of a shared machine
// leave out.
//
//   tessivo_render_bench [--repetitions=N] photo.jpg...
//
// - full-size: the whole file decoded at full size into the BMP's row
//   order and written as one file (what a tick did before);
// - fill: the file drawn in "Fill" onto 1920x1080 (DCT scale chosen from
//   the target size, rows scaled as they are decoded) and written;
// - floor: libjpeg's plain decode at that same DCT scale plus one fwrite of
//   a 1920x1080 BMP.

#include "FillFloor.h"
#include "LibjpegReference.h"

#include "core/codec/BmpCodec.h"
#include "core/codec/JpegDecoder.h"
#include "core/imaging/DrawPicture.h"
#include "core/imaging/WallpaperCanvas.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kScreenWidth = 1920, kScreenHeight = 1080;
// One output file per method: truncating the 70 MB a full-size tick has
// just written makes the file system deal with those blocks first, which
// would be charged to whichever method comes next.
const char* const kFullSizeOutput = "/tmp/tessivo-render-bench-full.bmp";
const char* const kFillOutput = "/tmp/tessivo-render-bench-fill.bmp";
const char* const kFloorOutput = "/tmp/tessivo-render-bench-floor.bmp";

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const char* path, const uint8_t* header, const uint8_t* pixels, size_t bytes)
{
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        throw std::runtime_error("cannot create the output");
    const bool written =
        std::fwrite(header, 1, 54, file) == 54 && std::fwrite(pixels, 1, bytes, file) == bytes;
    if (std::fclose(file) != 0 || !written)
        throw std::runtime_error("cannot write the output");
}

void FullSizeTick(const std::string& path)
{
    const std::vector<uint8_t> jpeg = ReadFile(path);
    std::vector<uint8_t> pixels;
    size_t stride = 0;
    const JpegDecodeResult decoded =
        DecodeJpeg(jpeg.data(), jpeg.size(), JpegDecodeOptions{}, [&](int width, int height) {
            stride = static_cast<size_t>(Dib24Stride(static_cast<uint64_t>(width)));
            pixels.assign(stride * static_cast<size_t>(height), 0);
            return PixelRows{pixels.data() + stride * static_cast<size_t>(height - 1),
                             -static_cast<ptrdiff_t>(stride)};
        });
    uint8_t header[54];
    MakeBmp24Header(decoded.Width, decoded.Height, header);
    WriteFile(kFullSizeOutput, header, pixels.data(), pixels.size());
}

void FillTick(const std::string& path)
{
    const std::vector<uint8_t> jpeg = ReadFile(path);
    TWallpaperCanvas canvas(kScreenWidth, kScreenHeight, 0);
    DrawJpegPicture(jpeg.data(), jpeg.size(), TWallpaperFit::Fill,
                    {TScreenRect{0, 0, kScreenWidth, kScreenHeight}}, canvas.Rows());
    uint8_t header[54];
    MakeBmp24Header(kScreenWidth, kScreenHeight, header);
    WriteFile(kFillOutput, header, canvas.Dib(),
              static_cast<size_t>(Dib24Bytes(kScreenWidth, kScreenHeight)));
}

int FillScale(const std::vector<uint8_t>& jpeg)
{
    return FillScaleDenom(jpeg.data(), jpeg.size(), kScreenWidth, kScreenHeight);
}

void Floor(const std::string& path)
{
    const std::vector<uint8_t> jpeg = ReadFile(path);
    WriteFillFloor(jpeg.data(), jpeg.size(), kScreenWidth, kScreenHeight, kFloorOutput);
}

void Nothing(const std::string&)
{
}

// The process's processor time (user and system) so far, in milliseconds.
double CpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// One run's elapsed time and the processor time it took: on a machine that
// others share, the elapsed time also holds the waits for a processor.
struct Timing {
    double Wall = 0;
    double Cpu = 0;
};

Timing Milliseconds(void (*tick)(const std::string&), const std::string& path)
{
    const double cpuStart = CpuMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    tick(path);
    return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
            CpuMilliseconds() - cpuStart};
}

const char* selfPath = nullptr;

// This process's peak resident set (KiB): VmHWM belongs to the memory of
// the program now running, not to the one that started it.
long OwnPeakKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// The peak resident set (KiB) of a new process of this program that runs
// method `method` once.
long PeakKiB(int method, const std::string& path)
{
    const std::string command =
        std::string("'") + selfPath + "' --peak-of=" + std::to_string(method) + " '" + path + "'";
    std::FILE* child = popen(command.c_str(), "r");
    long kib = -1;
    if (child == nullptr || std::fscanf(child, "%ld", &kib) != 1 || pclose(child) != 0 || kib < 0)
        throw std::runtime_error("measuring process failed");
    return kib;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    int repetitions = 9;
    int peakOf = -1;
    std::vector<std::string> photos;
    selfPath = argv[0];
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--peak-of=", 10) == 0)
            peakOf = std::atoi(argv[i] + 10);
        else if (std::strncmp(argv[i], "--repetitions=", 14) == 0)
            repetitions = std::max(1, std::atoi(argv[i] + 14));
        else
            photos.emplace_back(argv[i]);
    }
    const struct {
        const char* Name;
        void (*Tick)(const std::string&);
    } methods[] = {{"full-size", FullSizeTick}, {"fill", FillTick}, {"floor", Floor}, {"nothing", Nothing}};
    if (peakOf >= 0 && peakOf < 4 && photos.size() == 1) {
        methods[peakOf].Tick(photos[0]);
        std::printf("%ld\n", OwnPeakKiB());
        return 0;
    }
    std::printf("%-34s %5s %10s %10s %10s %8s %8s %9s %9s %8s %8s %8s\n", "photo", "scale", "full ms",
                "fill ms", "floor ms", "fill/flr", "full/fil", "full MiB", "fill MiB", "fil/full", "cpu f/fl",
                "cpu fu/f");
    bool met = true;
    for (const std::string& photo : photos) {
        try {
            std::vector<double> times[3], cpuTimes[3];
            for (int r = 0; r < repetitions; ++r)
                for (int m = 0; m < 3; ++m) { // interleaved, so drift hits all three alike
                    const Timing timing = Milliseconds(methods[(m + r) % 3].Tick, photo);
                    times[(m + r) % 3].push_back(timing.Wall);
                    cpuTimes[(m + r) % 3].push_back(timing.Cpu);
                }
            const long idle = PeakKiB(3, photo);
            const double fullMiB = (PeakKiB(0, photo) - idle) / 1024.0;
            const double fillMiB = (PeakKiB(1, photo) - idle) / 1024.0;
            const double full = Median(times[0]), fill = Median(times[1]), floor = Median(times[2]);
            const std::string name = photo.substr(photo.find_last_of('/') + 1);
            const double fillCpu = Median(cpuTimes[1]);
            std::printf("%-34s  1/%d %10.1f %10.1f %10.1f %8.2f %8.2f %9.1f %9.1f %8.2f %8.2f %8.2f\n",
                        name.c_str(), FillScale(ReadFile(photo)), full, fill, floor, fill / floor,
                        full / fill, fullMiB, fillMiB, fillMiB / fullMiB, fillCpu / Median(cpuTimes[2]),
                        Median(cpuTimes[0]) / fillCpu);
            met = met && fill <= 1.25 * floor && full >= 3 * fill && fillMiB * 3 <= fullMiB;
        } catch (const std::exception& error) {
            std::printf("%s: %s\n", photo.c_str(), error.what());
            met = false;
        }
    }
    std::printf("goals (fill <= 1.25 x floor, >= 3 x faster than full size, <= 1/3 of its memory): %s\n",
                met ? "met" : "NOT met");
    return met ? 0 : 1;
}
