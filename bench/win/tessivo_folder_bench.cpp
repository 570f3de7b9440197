// Listing the pictures of a large folder tree, as adding a folder does:
// 100 folders in two levels, each with 100 pictures and a file that is no
// picture, 10 000 pictures in all (by default). Each pass lists the whole
// tree; the first pass is printed on its own (the system's caches are
// cold for it only in part: the tree was just written), then the median of
// the others. Then the same tree is added to the list of a shown main form,
// as a dropped folder is: each pass on a new form, timed from the call until
// the queue is empty (both lists filled, the first picture shown, painted).
// Goal: under one second each. Exit status 1 when the listing or the list is
// not what was written, or an error reached the error handler.
//
//   tessivo_folder_bench [--pictures-per-folder=N] [--passes=N]

#include "BenchForm.h"
#include "BenchMeasure.h"
#include "BenchTree.h"

#include "platform/FolderScan.h"

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
// Prints the first pass and the median of the others; true when the goal is met.
bool Report(const char* what, std::vector<double> times, int passes)
{
    std::sort(times.begin() + 1, times.end());
    const double median = times[static_cast<size_t>(1 + passes / 2)];
    std::printf("%s\n", what);
    std::printf("  first pass   %8.1f ms\n", times[0]);
    std::printf("  median of %d %8.1f ms  (goal < %.0f ms: %s)\n", passes, median, kGoalMs,
                median < kGoalMs ? "met" : "MISSED");
    return median < kGoalMs;
}

// Lists the tree `passes` + 1 times; false when a listing missed pictures.
bool ScanPasses(const std::string& root, size_t expected, int passes, std::vector<double>& times)
{
    bool complete = true;
    for (int pass = 0; pass <= passes; ++pass) {
        TStopwatch watch;
        const TPictureScan scan = ScanPictureFolder(root);
        times.push_back(watch.Milliseconds());
        complete = complete && scan.Pictures.size() == expected && scan.SkippedFolders == 0;
    }
    return complete;
}

// Adds the tree to a new form's empty list `passes` + 1 times; false when a
// list missed pictures or an error was reported.
bool AddPasses(const std::string& root, size_t expected, int passes, std::vector<double>& times)
{
    bool complete = true;
    for (int pass = 0; pass <= passes; ++pass) {
        TBenchForm bench;
        bench.Form().Show();
        bench.Settle();
        TStopwatch watch;
        bench.Form().AddFilesAndFolders({root});
        // The tree is read on a worker thread; its pictures join the list
        // when its end reaches the window.
        while (bench.Form().BackgroundAdd().Busy()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            bench.Settle();
        }
        bench.Settle();
        times.push_back(watch.Milliseconds());
        const TMainForm::TestView view = bench.Form().Test();
        complete = complete && bench.Errors().empty() &&
                   static_cast<size_t>(view.listModel.Count()) == expected &&
                   static_cast<size_t>(view.nameList->Items().Count()) == expected;
        for (const std::string& error : bench.Errors())
            std::printf("  error: %s\n", error.c_str());
    }
    return complete;
}

int Run(int perFolder, int passes)
{
    const TBenchTreeShape shape{10, 10, perFolder};
    const size_t expected = shape.Pictures();
    const std::string root = MakeBenchTree("tessivo-folder-bench-", shape);
    std::vector<double> scanTimes, addTimes;
    bool scanned = false, added = false;
    try {
        scanned = ScanPasses(root, expected, passes, scanTimes);
        added = AddPasses(root, expected, passes, addTimes);
    } catch (...) {
        RemoveBenchTree(root);
        throw;
    }
    RemoveBenchTree(root);

    std::printf("Folder scan: %zu pictures in %d folders (and %d other files)\n", expected,
                shape.OuterFolders * shape.InnerFolders + 1, shape.OuterFolders * shape.InnerFolders);
    Report("Listing the tree", scanTimes, passes);
    Report("Adding the tree to the list (as a dropped folder)", addTimes, passes);
    if (!scanned)
        std::printf("  the listing did not hold the %zu pictures written\n", expected);
    if (!added)
        std::printf("  the list did not hold the %zu pictures written\n", expected);
    return scanned && added ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    int perFolder = 100;
    int passes = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--pictures-per-folder=", 22) == 0) {
            perFolder = std::max(1, std::atoi(argv[i] + 22));
        } else if (std::strncmp(argv[i], "--passes=", 9) == 0) {
            passes = std::max(1, std::atoi(argv[i] + 9));
        } else {
            std::fprintf(stderr, "usage: tessivo_folder_bench [--pictures-per-folder=N] [--passes=N]\n");
            return 2;
        }
    }
    try {
        return Run(perFolder, passes);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tessivo_folder_bench: %s\n", error.what());
        return 1;
    }
}
