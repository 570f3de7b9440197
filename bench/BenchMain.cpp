// Prepares the pictures, then runs Google Benchmark as usual (its options,
// such as --benchmark_filter, apply).

#include "CodecBench.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::vector<BenchPicture> pictures;
    try {
        pictures = PrepareBenchPictures();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tessivo_bench: %s\n", error.what());
        return 1;
    }
    RegisterCodecBenchmarks(pictures);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
