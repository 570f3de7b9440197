// The lists at their largest, on a shown main form: adding 10 000 files at
// once through the "+" button's dialog, loading list files of 10 000 and of
// 100 000 entries through "Load list", and showing the last entry of each
// list. Every entry names one small real BMP, so the preview of an entry
// costs little and the figures are the lists' own.
//
//   tessivo_list_bench [--add=N] [--load=N,...]
//   tessivo_list_bench --start=N,... [--passes=N]
//
// Each figure is the time from the click until the handler has returned
// and the message queue is empty (painting included). Goal: under one
// second each. A load, which may read on a worker, is timed until the list
// holds its entries, and its longest single hold of the window's thread is
// printed beside it (the window should answer within 50 ms). Exit status 1 when an error reached the error
// handler or a list did not end with the expected entries.
//
// --start: the program's start with a last list of N entries, for each N:
// the time from the main form's creation (which reads the last list, fills
// both lists and shows the first entry) until it is shown and painted.
// Goal: a million entries in under 3 s, and the time growing linearly:
// twice the entries take at most 2.2 times as long. Each count runs once per
// pass (3 by default) and the medians are compared; the processor time is
// printed beside the elapsed time, as a busy machine stretches the latter.

#include "BenchForm.h"
#include "BenchMeasure.h"

#include "core/codec/BmpCodec.h"
#include "lists/ListFileWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr double kGoalMs = 1000;

void WriteFileBytes(const std::string& path, const void* bytes, size_t count)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot create " + path);
    const bool written = std::fwrite(bytes, 1, count, file) == count;
    if (std::fclose(file) != 0 || !written)
        throw std::runtime_error("cannot write " + path);
}

// A 64 x 48 colour ramp as a 24-bit BMP file.
std::string MakeSmallBitmap(const std::string& folder)
{
    const int width = 64, height = 48;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = pixels.data() + y * stride + x * 3;
            p[0] = static_cast<uint8_t>(x * 4);
            p[1] = static_cast<uint8_t>(y * 5);
            p[2] = static_cast<uint8_t>(255 - x * 4);
        }
    const std::vector<uint8_t> file = EncodeBmp24(width, height, PixelRows{pixels.data(), stride});
    const std::string path = folder + "small.bmp";
    WriteFileBytes(path, file.data(), file.size());
    return path;
}

// `count` different names of one picture in `folder` ("folder\n17\..\small.bmp":
// Windows resolves ".." by the text alone), since an add leaves out names the
// list holds already.
std::vector<std::string> NamesOfOnePicture(const std::string& folder, int count)
{
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        names.push_back(folder + "n" + std::to_string(i) + "\\..\\small.bmp");
    return names;
}

std::string MakeListFile(const std::string& folder, const std::string& entry, int count)
{
    TStringByteSink sink;
    WriteListFile(sink, std::vector<std::string>(static_cast<size_t>(count), entry));
    const std::string path = folder + "list-" + std::to_string(count) + ".lst";
    WriteFileBytes(path, sink.Text().data(), sink.Text().size());
    return path;
}

class TListBench {
public:
    explicit TListBench(TBenchForm& bench) : bench_(bench), form_(bench.Form()) {}

    // Runs `click` as the message loop would, then settles; prints and
    // returns the time.
    template <class Click>
    double Time(const std::string& what, Click&& click)
    {
        TStopwatch clock;
        Application->Guarded(click);
        bench_.Settle();
        const double ms = clock.Milliseconds();
        std::printf("%-58s %9.1f ms  goal < 1 s %s\n", what.c_str(), ms, ms < kGoalMs ? "met" : "MISSED");
        if (ms >= kGoalMs)
            ++missed_;
        return ms;
    }

    // A load that may end on a worker: the click, then every message as
    // the message loop would take it, until the list holds `count` entries
    // and the queue is empty. Prints the time to the end and the longest
    // time one step (the click or one message) held the window's thread.
    template <class Click>
    void TimeLoad(const std::string& what, int count, Click&& click)
    {
        TStopwatch clock;
        TStopwatch step;
        Application->Guarded(click);
        double longest = step.Milliseconds();
        while (form_.Test().listModel.Count() != count && clock.Milliseconds() < 60000) {
            MSG message;
            if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
                continue;
            }
            TStopwatch one;
            Application->DispatchOne(message);
            longest = std::max(longest, one.Milliseconds());
        }
        bench_.Settle();
        const double ms = clock.Milliseconds();
        std::printf("%-58s %9.1f ms  longest hold of the window %6.1f ms\n", what.c_str(), ms, longest);
        if (ms >= kGoalMs)
            ++missed_;
    }

    void ExpectEntries(int count)
    {
        const int paths = form_.Test().listModel.Count(), names = form_.Test().nameList->Items().Count();
        if (paths != count || names != count) {
            std::printf("WRONG: %d paths and %d names, expected %d\n", paths, names, count);
            ok_ = false;
        }
    }

    void ShowEntry(int index, int count)
    {
        form_.Test().nameList->SetItemIndex(index);
        Time("show entry " + std::to_string(index + 1) + " of " + std::to_string(count),
             [&] { form_.onNameListClick(form_.Test().nameList); });
        if (form_.Test().listModel.Selected() != index) {
            std::printf("WRONG: entry %d is not the one shown\n", index + 1);
            ok_ = false;
        }
    }

    bool Ok() const { return ok_; }
    int Missed() const { return missed_; }

private:
    TBenchForm& bench_;
    TMainForm& form_;
    bool ok_ = true;
    int missed_ = 0;
};

constexpr double kStartGoalMs = 3000;
constexpr int kStartGoalEntries = 1000000;
constexpr double kDoublingGoal = 2.2;

struct TStartTime {
    double Ms = -1; // negative: the start went wrong
    double CpuMs = 0;
};

// One start with a last list of `count` entries.
TStartTime TimeStart(int count)
{
    std::string bitmap;
    TBenchForm bench([&](const std::string& folder) {
        bitmap = MakeSmallBitmap(folder);
        TStringByteSink sink;
        WriteListFile(sink, std::vector<std::string>(static_cast<size_t>(count), bitmap));
        WriteFileBytes(folder + "LastList.lst", sink.Text().data(), sink.Text().size());
    });
    TMainForm& form = bench.Form();
    const TStopwatch clock;
    const double cpu = ProcessCpuMilliseconds();
    form.Show();
    bench.Settle();
    TStartTime time{bench.CreationMs() + clock.Milliseconds(),
                    bench.CreationCpuMs() + ProcessCpuMilliseconds() - cpu};
    const ProcessMemory memory = CurrentProcessMemory();
    char a[32];
    std::printf("start with a last list of %8d entries %9.1f ms  (processor %8.1f ms, %s private)\n", count,
                time.Ms, time.CpuMs, Megabytes(static_cast<int64_t>(memory.PrivateBytes), a));
    const int paths = form.Test().listModel.Count(), names = form.Test().nameList->Items().Count();
    if (paths != count || names != count || form.Test().listModel.Selected() != 0) {
        std::printf("WRONG: %d paths and %d names, entry %d shown, expected %d\n", paths, names,
                    form.Test().listModel.Selected(), count);
        time.Ms = -1;
    }
    for (const std::string& error : bench.Errors()) {
        std::printf("ERROR reported: %s\n", error.c_str());
        time.Ms = -1;
    }
    return time;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Every count once per pass, the passes one after another, so that a busy
// moment of the machine spreads over all counts; the medians are compared.
int RunStart(const std::vector<int>& counts, int passes)
{
    std::vector<std::vector<double>> ms(counts.size()), cpuMs(counts.size());
    for (int pass = 0; pass < passes; ++pass)
        for (size_t i = 0; i < counts.size(); ++i) {
            const TStartTime time = TimeStart(counts[i]);
            if (time.Ms < 0)
                return 1;
            ms[i].push_back(time.Ms);
            cpuMs[i].push_back(time.CpuMs);
        }
    int missed = 0;
    std::printf("medians of %d passes:\n", passes);
    for (size_t i = 0; i < counts.size(); ++i) {
        const double wall = Median(ms[i]);
        std::printf("  %8d entries %9.1f ms  (processor %8.1f ms, %.2f us per entry)\n", counts[i], wall,
                    Median(cpuMs[i]), wall * 1000 / counts[i]);
        if (counts[i] == kStartGoalEntries) {
            const bool met = wall < kStartGoalMs;
            std::printf("  goal: %d entries in under %.0f s: %s\n", kStartGoalEntries, kStartGoalMs / 1000,
                        met ? "met" : "MISSED");
            missed += met ? 0 : 1;
        }
    }
    for (size_t i = 0; i < counts.size(); ++i)
        for (size_t j = 0; j < counts.size(); ++j)
            if (counts[j] == 2 * counts[i]) {
                const double ratio = Median(ms[j]) / Median(ms[i]);
                const double cpuRatio = Median(cpuMs[j]) / Median(cpuMs[i]);
                const bool met = ratio <= kDoublingGoal;
                std::printf(
                    "  %d entries against %d: %.2f times the time (processor: %.2f)  goal <= %.1f %s\n",
                    counts[j], counts[i], ratio, cpuRatio, kDoublingGoal, met ? "met" : "MISSED");
                missed += met ? 0 : 1;
            }
    std::printf("goals missed: %d\n", missed);
    return 0;
}

int Run(int addCount, const std::vector<int>& loadCounts)
{
    TBenchForm bench;
    TMainForm& form = bench.Form();
    form.Show();
    bench.Settle();
    const std::string bitmap = MakeSmallBitmap(bench.Folder().Path());
    TListBench lists(bench);

    bench.PictureDialog().Answer = NamesOfOnePicture(bench.Folder().Path(), addCount);
    lists.Time("\"+\" adding " + std::to_string(addCount) + " files at once (shows the first)",
               [&] { form.onAddClick(form.Test().addButton); });
    lists.ExpectEntries(addCount);
    lists.ShowEntry(addCount - 1, addCount);
    lists.ShowEntry(addCount / 2, addCount);

    for (int count : loadCounts) {
        if (count < 1)
            continue;
        bench.OpenDialog().Answer = {MakeListFile(bench.Folder().Path(), bitmap, count)};
        lists.TimeLoad("\"Load list\" of " + std::to_string(count) + " entries (reads, shows the first)",
                       count, [&] { form.onLoadListClick(form.Test().loadListButton); });
        lists.ExpectEntries(count);
        lists.ShowEntry(count - 1, count);
    }
    char a[32];
    const ProcessMemory memory = CurrentProcessMemory();
    std::printf("private bytes at the end%s: %s\n",
                memory.FromPagefileUsage ? " (PagefileUsage: PrivateUsage reads 0 here)" : "",
                Megabytes(static_cast<int64_t>(memory.PrivateBytes), a));
    std::printf("goals missed: %d\n", lists.Missed());
    for (const std::string& error : bench.Errors())
        std::printf("ERROR reported: %s\n", error.c_str());
    return bench.Errors().empty() && lists.Ok() ? 0 : 1;
}

// "1,2,3" as numbers.
std::vector<int> Counts(const char* text)
{
    std::vector<int> counts;
    for (const char* p = text; *p;) {
        counts.push_back(std::atoi(p));
        p = std::strchr(p, ',') ? std::strchr(p, ',') + 1 : p + std::strlen(p);
    }
    return counts;
}

} // namespace

int main(int argc, char** argv)
{
    int addCount = 10000;
    std::vector<int> loadCounts{10000, 100000};
    std::vector<int> startCounts;
    int passes = 3;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--add=", 6) == 0) {
            addCount = std::atoi(argv[i] + 6);
        } else if (std::strncmp(argv[i], "--load=", 7) == 0) {
            loadCounts = Counts(argv[i] + 7);
        } else if (std::strncmp(argv[i], "--start=", 8) == 0) {
            startCounts = Counts(argv[i] + 8);
        } else if (std::strncmp(argv[i], "--passes=", 9) == 0) {
            passes = std::max(1, std::atoi(argv[i] + 9));
        } else {
            std::fprintf(stderr,
                         "usage: tessivo_list_bench [--add=N] [--load=N,...] | --start=N,... [--passes=N]\n");
            return 2;
        }
    }
    if (!startCounts.empty()) {
        if (*std::min_element(startCounts.begin(), startCounts.end()) < 1) {
            std::fprintf(stderr, "tessivo_list_bench: --start needs counts of at least 1\n");
            return 2;
        }
        try {
            return RunStart(startCounts, passes);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "tessivo_list_bench: %s\n", error.what());
            return 1;
        }
    }
    if (addCount < 1) {
        std::fprintf(stderr, "tessivo_list_bench: --add needs at least 1\n");
        return 2;
    }
    try {
        return Run(addCount, loadCounts);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tessivo_list_bench: %s\n", error.what());
        return 1;
    }
}
