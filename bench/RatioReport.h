#pragma once
// Google Benchmark prints its usual table; this reporter also keeps the
// median time of every benchmark so that the comparisons the benchmarks
// exist for can be printed side by side at the end, as ratios.

#include "BenchPictures.h"

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

struct MedianTimes {
    double RealMs = 0;
    double CpuMs = 0;
    int64_t Repetitions = 0;
    std::map<std::string, double> Counters;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;

    // By the benchmark's registered name; missing when it did not run (or
    // failed).
    const MedianTimes* Find(const std::string& name) const;

private:
    std::map<std::string, MedianTimes> medians_;
};

// What was checked about each picture before timing.
struct PictureChecks {
    bool PreviewSame = false;
    std::string WallpaperOutputs;
};

// The tables of ratios, for the pictures whose benchmarks ran.
void PrintPreviewComparison(const RatioReporter& reporter, const std::vector<BenchPicture>& pictures,
                            const std::map<std::string, PictureChecks>& checks);
void PrintWallpaperComparison(const RatioReporter& reporter, const std::vector<BenchPicture>& pictures,
                              const std::map<std::string, PictureChecks>& checks);
