// The window while a folder tree is scanned: a tree of 100 000 pictures
// (100 folders of 1 000 empty files, by default) is added to a shown main
// form, as a dropped folder is, while a second thread sends the window
// WM_NULL every 10 ms with SendMessageTimeout and times each answer. The
// tree is read on a worker thread; the window only adds what it found when
// the scan ends. Printed: the longest and the 99th-percentile wait while the
// scan ran (goal: none longer than 50 ms), then the longest wait in the
// moment the pictures join the list (one step on the window's thread, told
// apart because it is not part of the scan). Exit status 1 when the list
// is not what was written, an error was reported, or an answer timed out.
//
//   tessivo_scan_bench [--folders=N] [--pictures-per-folder=N]

#include "BenchForm.h"
#include "BenchMeasure.h"
#include "BenchTree.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr double kGoalMs = 50;
constexpr DWORD kProbeEveryMs = 10;
constexpr UINT kProbeTimeoutMs = 5000;

// Sends WM_NULL to the window every 10 ms and keeps each wait, marked with
// the phase it fell in.
class TProbe {
public:
    explicit TProbe(HWND window) : window_(window), thread_([this] { Run(); }) {}
    ~TProbe() { Stop(); }

    // From now on, waits count for the next phase.
    void NextPhase() { ++phase_; }
    void Stop()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    // The waits of one phase, in milliseconds.
    std::vector<double> Waits(int phase) const
    {
        std::vector<double> waits;
        for (const auto& [at, ms] : waits_)
            if (at == phase)
                waits.push_back(ms);
        return waits;
    }
    int TimedOut() const { return timedOut_; }

private:
    void Run()
    {
        while (!stop_) {
            const int phase = phase_;
            TStopwatch watch;
            DWORD_PTR result = 0;
            const LRESULT answered =
                SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kProbeTimeoutMs, &result);
            const double ms = watch.Milliseconds();
            if (!answered)
                ++timedOut_;
            waits_.push_back({phase, ms});
            Sleep(kProbeEveryMs);
        }
    }

    HWND window_;
    std::atomic<bool> stop_{false};
    std::atomic<int> phase_{0};
    std::atomic<int> timedOut_{0};
    // Written by the probe thread only, read after Stop.
    std::vector<std::pair<int, double>> waits_;
    std::thread thread_;
};

void Report(const char* what, std::vector<double> waits, bool withGoal)
{
    if (waits.empty()) {
        std::printf("%s: no probe fell in it\n", what);
        return;
    }
    std::sort(waits.begin(), waits.end());
    const double longest = waits.back();
    const double p99 = waits[std::min(waits.size() - 1, waits.size() * 99 / 100)];
    std::printf("%s: %zu probes\n", what, waits.size());
    std::printf("  median %6.1f ms   99th percentile %6.1f ms   longest %6.1f ms", waits[waits.size() / 2],
                p99, longest);
    if (withGoal)
        std::printf("   (goal <= %.0f ms: %s)", kGoalMs, longest <= kGoalMs ? "met" : "MISSED");
    std::printf("\n");
}

int Run(const TBenchTreeShape& shape)
{
    std::printf("Making the tree: %zu pictures in %d folders...\n", shape.Pictures(),
                shape.OuterFolders * shape.InnerFolders);
    TStopwatch making;
    const std::string root = MakeBenchTree("tessivo-scan-bench-", shape);
    std::printf("  made in %.0f ms\n", making.Milliseconds());
    bool complete = false;
    int timedOut = 0;
    try {
        TBenchForm bench;
        bench.Form().Show();
        bench.Settle();
        TProbe probe(bench.Form().Handle());
        Sleep(100); // a few answers from the idle window first
        probe.NextPhase();
        TStopwatch scan;
        bench.Form().AddFilesAndFolders({root});
        const HWND window = bench.Form().Handle();
        // The scan runs until its end waits in the window's queue.
        MSG ended;
        while (!PeekMessageW(&ended, window, TBackgroundAdd::ScanEndedMessage,
                             TBackgroundAdd::ScanEndedMessage, PM_NOREMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            bench.Settle();
        }
        const double scanMs = scan.Milliseconds();
        probe.NextPhase();
        while (bench.Form().BackgroundAdd().Busy())
            bench.Settle();
        bench.Settle();
        const double addedMs = scan.Milliseconds();
        Sleep(50);
        probe.Stop();
        timedOut = probe.TimedOut();

        const TMainForm::TestView view = bench.Form().Test();
        complete =
            bench.Errors().empty() && static_cast<size_t>(view.pathList->Items().Count()) == shape.Pictures();
        for (const std::string& error : bench.Errors())
            std::printf("  error: %s\n", error.c_str());
        std::printf("Scan of %zu pictures: %.0f ms; in the list and painted after %.0f ms\n",
                    shape.Pictures(), scanMs, addedMs);
        Report("The idle window", probe.Waits(0), false);
        Report("The window while the tree is scanned", probe.Waits(1), true);
        Report("The window while the pictures join the list", probe.Waits(2), false);
        if (timedOut > 0)
            std::printf("  %d answers took longer than %u ms\n", timedOut, kProbeTimeoutMs);
    } catch (...) {
        RemoveBenchTree(root);
        throw;
    }
    RemoveBenchTree(root);
    if (!complete)
        std::printf("  the list did not hold the %zu pictures written\n", shape.Pictures());
    return complete && timedOut == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    TBenchTreeShape shape{10, 10, 1000};
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--folders=", 10) == 0) {
            shape.OuterFolders = std::max(1, std::atoi(argv[i] + 10));
            shape.InnerFolders = 1;
        } else if (std::strncmp(argv[i], "--pictures-per-folder=", 22) == 0) {
            shape.PicturesPerFolder = std::max(1, std::atoi(argv[i] + 22));
        } else {
            std::fprintf(stderr, "usage: tessivo_scan_bench [--folders=N] [--pictures-per-folder=N]\n");
            return 2;
        }
    }
    try {
        return Run(shape);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tessivo_scan_bench: %s\n", error.what());
        return 1;
    }
}
