// Automatic changing with real photographs: the main form (hidden) with the
// real registry, a list alternating each photograph's JPEG with a BMP copy
// of it, and the rotation timer's ticks delivered as WM_TIMER messages.
//
//   tessivo_tick_bench [--ticks=N] [--passes=N] photo.jpg...
//
// 1. Cost of one tick on a JPEG entry, against the floor: libjpeg's plain
//    in-process decode plus one fwrite of the BMP (the host wallpaper
//    benchmark's "libjpeg-fwrite"), measured here in the same process. The
//    tick decodes a JPEG once for both its preview and the wallpaper bitmap;
//    for comparison the preview and the conversion are also run and timed on
//    their own (each decodes the file), as a tick did before. The tick also
//    writes the three desktop values; the system's wallpaper call is left
//    out (see TQuietDesktop).
// 2. N ticks in a row (default 10 000): the process's private bytes and the
//    live GDI objects, sampled along the way, must stay flat.
//
// Exit status 1 when an error reached the error handler.

#include "../LibjpegReference.h"
#include "BenchForm.h"
#include "BenchMeasure.h"
#include "core/codec/BmpCodec.h"
#include "framework/graphics/GdiHandle.h"
#include "platform/Files.h"
#include "wallpaper/JpegToBitmap.h"
#include "wallpaper/RotationMath.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The floor: the file read, libjpeg's decode into BMP row order, the header
// and the pixels written with one fwrite each.
void ConvertWithLibjpeg(const std::string& jpegPath, const std::string& bitmapPath)
{
    const std::vector<uint8_t> jpeg = ReadWholeFile(jpegPath);
    const ReferencePicture decoded = ReferenceDecode(jpeg.data(), jpeg.size(), 1);
    uint8_t header[54];
    MakeBmp24Header(decoded.Width, decoded.Height, header);
    std::FILE* file = std::fopen(bitmapPath.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot create " + bitmapPath);
    const size_t pixelBytes = decoded.Stride * static_cast<size_t>(decoded.Height);
    const bool written = std::fwrite(header, 1, sizeof header, file) == sizeof header &&
                         std::fwrite(decoded.Pixels.get(), 1, pixelBytes, file) == pixelBytes;
    if (std::fclose(file) != 0 || !written)
        throw std::runtime_error("cannot write " + bitmapPath);
}

// The desktop of the measurement: the wallpaper bitmap goes into the
// benchmark's own folder, and the system's wallpaper call (under Wine it
// reads the whole bitmap again) is left out, so a tick is the preview, the
// conversion and the three desktop values.
class TQuietDesktop : public IDesktop {
public:
    // `folder` ends in "\".
    void SetFolder(const std::string& folder) { folder_ = folder.substr(0, folder.size() - 1); }
    std::string WindowsDirectory() override { return folder_; }
    void SetDeskWallpaper(const std::string&) override {}

private:
    std::string folder_;
};

// One tick of the rotation timer, as the platform delivers it.
void Tick(TForm1& form)
{
    SendMessageA(form.TimerAutoChangeWallpaper->WindowHandle(), WM_TIMER, 1, 0);
}

struct EntryTimes {
    std::vector<double> Preview, Conversion, Tick, Floor;
};

int Run(int ticks, int passes, const std::vector<std::string>& photos)
{
    TQuietDesktop desktop;
    TBenchForm bench(desktop);
    desktop.SetFolder(bench.Folder().Path());
    TForm1& form = bench.Form();
    char a[32], b[32], c[32];

    // The list: each photograph, then a BMP copy of it.
    std::vector<std::string> entries;
    for (size_t i = 0; i < photos.size(); ++i) {
        const std::string copy = bench.Folder().Path() + "photo-" + std::to_string(i) + ".bmp";
        ConvertJpegToBitmap(photos[i], copy);
        entries.push_back(photos[i]);
        entries.push_back(copy);
    }
    bench.PictureDialog().Answer = entries;
    Application->Guarded([&] { form.ButtonAddFileClick(form.ButtonAddFile); });
    form.ComboBoxDisplayStyle->SetItemIndex(0);
    form.CheckBoxRandom->SetChecked(false);
    form.SpinEditTimeInterval->SetText("1000");
    form.ListBox2->SetItemIndex(0);
    Application->Guarded([&] { form.ListBox1Click(form.ListBox2); });
    Application->Guarded([&] { form.ButtonStartStopClick(form.ButtonStartStop); });
    bench.Settle();

    std::vector<EntryTimes> times(entries.size());

    // 1. Cost, interleaved with the floor so both see the same machine.
    const std::string floorBitmap = bench.Folder().Path() + "floor.bmp";
    const std::string wallpaperBitmap = bench.Folder().Path() + "conversion.bmp";
    const int costTicks = passes * static_cast<int>(entries.size());
    for (int tick = 0; tick < costTicks; ++tick) {
        const auto index = static_cast<size_t>(
            NextRotationPosition(form.RotationPosition, static_cast<int32_t>(entries.size())));
        EntryTimes& t = times[index];
        const std::string& entry = entries[index];
        {
            TStopwatch clock;
            Tick(form);
            t.Tick.push_back(clock.Milliseconds());
        }
        {
            TStopwatch clock;
            Application->Guarded([&] { form.ShowSelectedImage(); });
            t.Preview.push_back(clock.Milliseconds());
        }
        if (index % 2 == 0) {
            {
                TStopwatch clock;
                ConvertJpegToBitmap(entry, wallpaperBitmap);
                t.Conversion.push_back(clock.Milliseconds());
            }
            TStopwatch clock;
            ConvertWithLibjpeg(entry, floorBitmap);
            t.Floor.push_back(clock.Milliseconds());
        }
    }
    bench.Settle();

    std::printf("%-40s %10s %10s %10s %8s %10s %8s\n", "JPEG entry", "floor ms", "preview", "conversion",
                "ratio", "tick", "ratio");
    bool goalMet = true;
    for (size_t i = 0; i < entries.size(); i += 2) {
        const EntryTimes& t = times[i];
        const double floor = Median(t.Floor);
        const double separate = Median(t.Preview) + Median(t.Conversion);
        const double tick = Median(t.Tick);
        goalMet = goalMet && tick <= 1.2 * floor;
        const std::string name = entries[i].substr(entries[i].find_last_of("\\/") + 1);
        std::printf("%-40s %10.1f %10.1f %10.1f %8.2f %10.1f %8.2f\n", name.c_str(), floor, Median(t.Preview),
                    Median(t.Conversion), separate / floor, tick, tick / floor);
    }
    for (size_t i = 1; i < entries.size(); i += 2)
        std::printf("BMP copy %-31zu %10s %10.1f %10s %8s %10.1f\n", i / 2, "", Median(times[i].Preview), "",
                    "", Median(times[i].Tick));
    std::printf(
        "first ratio: preview and conversion run separately (each decodes the file); second: the tick,\n"
        "which decodes once for both. Goal: tick <= 1.2 x floor -> %s\n",
        goalMet ? "met" : "MISSED");

    // 2. Many ticks in a row.
    const int warmUp = static_cast<int>(entries.size()) * 2;
    for (int i = 0; i < warmUp; ++i)
        Tick(form);
    bench.Settle();
    const ProcessMemory start = CurrentProcessMemory();
    const long gdiStart = gdi::LiveObjectCount();
    uint64_t highest = start.PrivateBytes;
    long gdiHighest = gdiStart;
    TStopwatch runClock;
    const int sampleEvery = std::max(1, ticks / 20);
    std::printf("%8s %14s %12s\n", "ticks", "private bytes", "GDI objects");
    for (int i = 1; i <= ticks; ++i) {
        Tick(form);
        if (i % 50 == 0)
            bench.Settle();
        if (i % sampleEvery == 0 || i == ticks) {
            const ProcessMemory now = CurrentProcessMemory();
            highest = std::max(highest, now.PrivateBytes);
            gdiHighest = std::max(gdiHighest, gdi::LiveObjectCount());
            std::printf("%8d %14s %12ld\n", i, Megabytes(static_cast<int64_t>(now.PrivateBytes), a),
                        gdi::LiveObjectCount());
        }
    }
    bench.Settle();
    const ProcessMemory end = CurrentProcessMemory();
    const long gdiEnd = gdi::LiveObjectCount();
    std::printf("%d ticks in %.1f s; private bytes%s: after warm-up %s, highest %s, at the end %s\n", ticks,
                runClock.Milliseconds() / 1000, end.FromPagefileUsage ? " (PagefileUsage)" : "",
                Megabytes(static_cast<int64_t>(start.PrivateBytes), a),
                Megabytes(static_cast<int64_t>(highest), b),
                Megabytes(static_cast<int64_t>(end.PrivateBytes), c));
    std::printf("GDI objects: after warm-up %ld, highest %ld, at the end %ld -> %s\n", gdiStart, gdiHighest,
                gdiEnd, gdiEnd == gdiStart ? "flat" : "GROWING");
    for (const std::string& error : bench.Errors())
        std::printf("ERROR reported: %s\n", error.c_str());
    return bench.Errors().empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    int ticks = 10000;
    int passes = 5;
    std::vector<std::string> photos;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--ticks=", 8) == 0)
            ticks = std::max(1, std::atoi(argv[i] + 8));
        else if (std::strncmp(argv[i], "--passes=", 9) == 0)
            passes = std::max(1, std::atoi(argv[i] + 9));
        else
            photos.push_back(WindowsPath(argv[i]));
    }
    if (photos.empty()) {
        std::fprintf(stderr, "usage: tessivo_tick_bench [--ticks=N] [--passes=N] photo.jpg...\n");
        return 2;
    }
    try {
        return Run(ticks, passes, photos);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tessivo_tick_bench: %s\n", error.what());
        return 1;
    }
}
