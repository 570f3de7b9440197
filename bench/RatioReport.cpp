#include "RatioReport.h"

#include "PreviewBench.h"

#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!median && !single)
            continue;
        MedianTimes& times = medians_[run.run_name.function_name];
        times.RealMs = run.GetAdjustedRealTime();
        times.CpuMs = run.GetAdjustedCPUTime();
        times.Repetitions = run.repetitions;
        for (const auto& [name, counter] : run.counters)
            times.Counters[name] = counter.value;
    }
}

const MedianTimes* RatioReporter::Find(const std::string& name) const
{
    const auto found = medians_.find(name);
    return found == medians_.end() ? nullptr : &found->second;
}

namespace {

std::string Verdict(double ratio, double goal, bool strictlyBelow)
{
    const bool met = strictlyBelow ? ratio < goal : ratio <= goal;
    char text[64];
    if (met)
        std::snprintf(text, sizeof text, "met");
    else
        std::snprintf(text, sizeof text, "MISSED by %.0f%%", (ratio / goal - 1) * 100);
    return text;
}

} // namespace

void PrintPreviewComparison(const RatioReporter& reporter, const std::vector<BenchPicture>& pictures,
                            const std::map<std::string, PictureChecks>& checks)
{
    bool header = false;
    for (const BenchPicture& picture : pictures) {
        const std::string prefix = "Preview/" + picture.Name + "/";
        const MedianTimes* ours = reporter.Find(prefix + "tessivo");
        const MedianTimes* libjpeg = reporter.Find(prefix + "libjpeg");
        const MedianTimes* djpeg = reporter.Find(prefix + "djpeg");
        if (!ours || !libjpeg)
            continue;
        if (!header) {
            std::printf(
                "\nPreview decode, median of %lld repetitions (ms; wall, with thread CPU in brackets)\n",
                static_cast<long long>(ours->Repetitions));
            std::printf("%-38s %-22s %5s %6s %16s %16s %8s %12s %11s  %-15s %s\n", "picture", "size", "scale",
                        "read%", "tessivo", "libjpeg", "djpeg", "ours/libjpeg", "ours/djpeg", "goal",
                        "same pixels");
            header = true;
        }
        const double ratio = ours->RealMs / libjpeg->RealMs;
        const double cpuRatio = ours->CpuMs / libjpeg->CpuMs;
        const bool progressive = picture.Info.Progressive;
        const std::string goal =
            progressive ? "<1.0: " + Verdict(ratio, 1.0, true) : "<=1.2: " + Verdict(ratio, 1.2, false);
        const auto read = ours->Counters.find("input_read_%");
        const auto check = checks.find(picture.Name);
        char oursText[32], libjpegText[32];
        std::snprintf(oursText, sizeof oursText, "%.2f (%.2f)", ours->RealMs, ours->CpuMs);
        std::snprintf(libjpegText, sizeof libjpegText, "%.2f (%.2f)", libjpeg->RealMs, libjpeg->CpuMs);
        std::printf(
            "%-38s %-22s %5s %6.1f %16s %16s %8.2f %5.2f (%4.2f) %11.2f  %-15s %s\n", picture.Name.c_str(),
            DescribePicture(picture).c_str(),
            ("1/" + std::to_string(PreviewBenchScale(picture.Info.Width, picture.Info.Height))).c_str(),
            read == ours->Counters.end() ? 0.0 : read->second, oursText, libjpegText,
            djpeg ? djpeg->RealMs : 0.0, ratio, cpuRatio, djpeg ? ours->RealMs / djpeg->RealMs : 0.0,
            goal.c_str(),
            check == checks.end()       ? "not checked"
            : check->second.PreviewSame ? "yes"
                                        : "NO");
    }
}

void PrintWallpaperComparison(const RatioReporter& reporter, const std::vector<BenchPicture>& pictures,
                              const std::map<std::string, PictureChecks>& checks)
{
    bool header = false;
    for (const BenchPicture& picture : pictures) {
        const std::string prefix = "Wallpaper/" + picture.Name + "/";
        const MedianTimes* ours = reporter.Find(prefix + "tessivo");
        const MedianTimes* djpeg = reporter.Find(prefix + "djpeg-bmp");
        const MedianTimes* floor = reporter.Find(prefix + "libjpeg-fwrite");
        const MedianTimes* oursDecode = reporter.Find(prefix + "tessivo-decode");
        const MedianTimes* floorDecode = reporter.Find(prefix + "libjpeg-decode");
        if (!ours || !djpeg || !floor)
            continue;
        if (!header) {
            std::printf(
                "\nWallpaper conversion JPEG -> 24-bit BMP file, median of %lld repetitions (ms, wall)\n",
                static_cast<long long>(ours->Repetitions));
            std::printf("%-38s %-22s %9s %10s %15s %11s %12s  %-15s %-11s %s\n", "picture", "size", "tessivo",
                        "djpeg -bmp", "libjpeg+fwrite", "ours/djpeg", "ours/libjpeg", "goal", "BMP pixels",
                        "decode alone: tessivo / libjpeg");
            header = true;
        }
        const double ratio = ours->RealMs / djpeg->RealMs;
        const auto check = checks.find(picture.Name);
        char decodeText[48] = "not run";
        if (oursDecode && floorDecode)
            std::snprintf(decodeText, sizeof decodeText, "%.1f / %.1f", oursDecode->RealMs,
                          floorDecode->RealMs);
        std::printf("%-38s %-22s %9.1f %10.1f %15.1f %11.2f %12.2f  %-15s %-11s %s\n", picture.Name.c_str(),
                    DescribePicture(picture).c_str(), ours->RealMs, djpeg->RealMs, floor->RealMs, ratio,
                    ours->RealMs / floor->RealMs, ("<=1.2: " + Verdict(ratio, 1.2, false)).c_str(),
                    check == checks.end() ? "not checked" : check->second.WallpaperOutputs.c_str(),
                    decodeText);
    }
}
