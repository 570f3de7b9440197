// The preview's memory and speed with real photographs: the main form is
// created (hidden, or shown with --visible so that painting counts too),
// the photographs are added through the "+" button's dialog (which shows
// the first), then each is shown by a click on its row of the name list.
//
//   tessivo_preview_bench [--visible] [--passes=N] [--expect-errors] photo...
//
// Prints, per photograph, the time from the click until the handler has
// returned and the message queue is empty, and the bytes the preview holds:
// the form's preview bitmap plus the image control's copy, each
// width * height * 3 with rows padded to 4 bytes. Then the process's
// private bytes before the first photograph and after the last, and how far
// the peak working set rose above the working set before the first one
// (run one picture per process to see each picture's peak). Exit status 1
// when an error reached the error handler, unless --expect-errors (files
// that are meant to be refused); a missed goal is reported in the output,
// not in the status.

#include "BenchForm.h"
#include "BenchMeasure.h"
#include "core/codec/PixelBuffer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace {

constexpr int64_t kHeldGoal = int64_t{10} << 20;
// At most one decode within the decoders' bound, plus what the program had.
constexpr int64_t kPeakGoal = static_cast<int64_t>(kMaxDecodedBytes);

int64_t BitmapBytes(const TBitmap* bitmap)
{
    return bitmap ? static_cast<int64_t>(bitmap->RowBytes()) * bitmap->Height() : 0;
}

int64_t ImageCopyBytes(TMainForm& form)
{
    TGraphic* graphic = form.Test().previewImage->Picture().Graphic();
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic))
        return BitmapBytes(bitmap);
    // Not a bitmap (the preview always assigns one): count it as 24-bit.
    return graphic ? static_cast<int64_t>((graphic->Width() * 3 + 3) & ~3) * graphic->Height() : 0;
}

struct PhotoResult {
    std::string Name;
    std::string SizeText; // the size label, as the user reads it
    int PreviewWidth = 0, PreviewHeight = 0;
    int64_t Held = 0;
    std::vector<double> Times;
    uint64_t PrivateAfter = 0;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Run(bool visible, int passes, bool expectErrors, const std::vector<std::string>& photos)
{
    TBenchForm bench;
    TMainForm& form = bench.Form();
    if (visible) {
        form.Show();
        bench.Settle();
    }
    char a[32], b[32], c[32], d[32];
    const ProcessMemory before = CurrentProcessMemory();

    bench.PictureDialog().Answer = photos;
    TStopwatch addClock;
    Application->Guarded([&] { form.onAddClick(form.Test().addButton); });
    bench.Settle();
    const double addMs = addClock.Milliseconds();
    std::printf("form %s; \"+\" with %zu photographs (adds them, shows the first): %.1f ms\n",
                visible ? "shown" : "hidden", photos.size(), addMs);

    std::vector<PhotoResult> results(photos.size());
    int64_t maxHeld = 0;
    for (int pass = 0; pass < passes; ++pass)
        for (size_t i = 0; i < photos.size(); ++i) {
            TStopwatch clock;
            // A picture that was refused leaves no name to click (the add
            // has tried to show it already): its figures are the add's.
            if (static_cast<int>(i) < form.Test().nameList->Items().Count()) {
                form.Test().nameList->SetItemIndex(static_cast<int>(i));
                Application->Guarded([&] { form.onNameListClick(form.Test().nameList); });
                bench.Settle();
            }
            const double ms = clock.Milliseconds();
            PhotoResult& r = results[i];
            r.Times.push_back(ms);
            r.Name = photos[i].substr(photos[i].find_last_of("\\/") + 1);
            r.SizeText = form.Test().sizeLabel->Caption();
            r.PreviewWidth = form.PreviewBitmap() ? form.PreviewBitmap()->Width() : 0;
            r.PreviewHeight = form.PreviewBitmap() ? form.PreviewBitmap()->Height() : 0;
            r.Held = BitmapBytes(form.PreviewBitmap()) + ImageCopyBytes(form);
            r.PrivateAfter = CurrentProcessMemory().PrivateBytes;
            maxHeld = std::max(maxHeld, r.Held);
        }
    const ProcessMemory after = CurrentProcessMemory();

    std::printf("%-42s %-24s %9s %12s %9s %9s %13s\n", "photograph", "size label", "preview", "held",
                "median ms", "first ms", "private after");
    for (const PhotoResult& r : results) {
        const std::string preview = std::to_string(r.PreviewWidth) + "x" + std::to_string(r.PreviewHeight);
        std::printf("%-42s %-24s %9s %12s %9.1f %9.1f %13s\n", r.Name.c_str(), r.SizeText.c_str(),
                    preview.c_str(), Megabytes(r.Held, a), Median(r.Times), r.Times.front(),
                    Megabytes(r.PrivateAfter, b));
    }
    std::printf("held for the preview, largest: %s (%lld bytes) -> goal < 10 MB %s\n", Megabytes(maxHeld, a),
                static_cast<long long>(maxHeld), maxHeld < kHeldGoal ? "met" : "MISSED");
    std::printf(
        "private bytes%s: before %s, after %s, difference %s; peak working set %s\n",
        after.FromPagefileUsage ? " (PagefileUsage: PrivateUsage reads 0 here)" : "",
        Megabytes(static_cast<int64_t>(before.PrivateBytes), a),
        Megabytes(static_cast<int64_t>(after.PrivateBytes), b),
        Megabytes(static_cast<int64_t>(after.PrivateBytes) - static_cast<int64_t>(before.PrivateBytes), c),
        Megabytes(static_cast<int64_t>(after.PeakWorkingSet), d));
    const int64_t peakGrowth =
        static_cast<int64_t>(after.PeakWorkingSet) - static_cast<int64_t>(before.WorkingSet);
    std::printf("peak working set above the start: %s -> goal at most one bounded decode (%s) %s\n",
                Megabytes(peakGrowth, a), Megabytes(kPeakGoal, b),
                peakGrowth <= kPeakGoal ? "met" : "MISSED");
    for (const std::string& error : bench.Errors())
        std::printf("%s reported: %s\n", expectErrors ? "error" : "ERROR", error.c_str());
    return bench.Errors().empty() || expectErrors ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    bool visible = false;
    bool expectErrors = false;
    int passes = 3;
    std::vector<std::string> photos;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--visible") == 0)
            visible = true;
        else if (std::strcmp(argv[i], "--expect-errors") == 0)
            expectErrors = true;
        else if (std::strncmp(argv[i], "--passes=", 9) == 0)
            passes = std::max(1, std::atoi(argv[i] + 9));
        else
            photos.push_back(WindowsPath(argv[i]));
    }
    if (photos.empty()) {
        std::fprintf(stderr,
                     "usage: tessivo_preview_bench [--visible] [--passes=N] [--expect-errors] photo...\n");
        return 2;
    }
    try {
        return Run(visible, passes, expectErrors, photos);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tessivo_preview_bench: %s\n", error.what());
        return 1;
    }
}
