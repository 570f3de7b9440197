// Loads the pictures, checks that the compared decoders agree, then runs
// Google Benchmark as usual (its options, such as --benchmark_filter and
// --benchmark_repetitions, apply) and ends with the comparison tables.
//
// Own options, before Google Benchmark's:
//   --photos=DIR     JPEG photographs to measure (default: bench/photos)
//   --out=DIR        where the wallpaper benchmarks write their BMP files
//                    (default: a scratch folder, removed at exit)
//   --no-generated   leave out the generated plasma pictures
//   --no-checks      skip the output comparison before timing

#include "CodecBench.h"
#include "OutputChecks.h"
#include "PreviewBench.h"
#include "RatioReport.h"
#include "WallpaperBench.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Options {
    BenchPictureSources Sources{TESSIVO_BENCH_PHOTO_DIR, true};
    fs::path OutputFolder;
    bool Checks = true;
};

// Takes our options out of argv, leaving Google Benchmark's.
Options TakeOwnOptions(int& argc, char** argv)
{
    Options options;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strncmp(argument, "--photos=", 9) == 0)
            options.Sources.PhotoFolder = argument + 9;
        else if (std::strncmp(argument, "--out=", 6) == 0)
            options.OutputFolder = argument + 6;
        else if (std::strcmp(argument, "--no-generated") == 0)
            options.Sources.Generated = false;
        else if (std::strcmp(argument, "--no-checks") == 0)
            options.Checks = false;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return options;
}

struct ScratchOutput {
    fs::path Path;
    ~ScratchOutput()
    {
        std::error_code ignored;
        if (!Path.empty())
            fs::remove_all(Path, ignored);
    }
};

} // namespace

int main(int argc, char** argv)
{
    Options options = TakeOwnOptions(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    ScratchOutput scratch;
    if (options.OutputFolder.empty()) {
        scratch.Path = fs::temp_directory_path() / ("tessivo-bench-out-" + std::to_string(getpid()));
        options.OutputFolder = scratch.Path;
    }
    std::vector<BenchPicture> pictures;
    std::map<std::string, PictureChecks> checks;
    try {
        fs::create_directories(options.OutputFolder);
        pictures = PrepareBenchPictures(options.Sources);
        if (options.Checks)
            for (const BenchPicture& picture : pictures) {
                PictureChecks& check = checks[picture.Name];
                check.PreviewSame = PreviewMatchesLibjpeg(picture);
                check.WallpaperOutputs = CompareWallpaperOutputs(picture, options.OutputFolder);
                std::fprintf(stderr, "checked %s (%s): preview %s, wallpaper BMP %s\n", picture.Name.c_str(),
                             DescribePicture(picture).c_str(),
                             check.PreviewSame ? "same as libjpeg" : "DIFFERS",
                             check.WallpaperOutputs.c_str());
            }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tessivo_bench: %s\n", error.what());
        return 1;
    }

    RegisterPreviewBenchmarks(pictures);
    RegisterWallpaperBenchmarks(pictures, options.OutputFolder);
    RegisterCodecBenchmarks(pictures);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintPreviewComparison(reporter, pictures, checks);
    PrintWallpaperComparison(reporter, pictures, checks);
    benchmark::Shutdown();
    return 0;
}
