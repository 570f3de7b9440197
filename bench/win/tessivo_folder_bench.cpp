// Listing the pictures of a large folder tree, as adding a folder does:
// 100 folders in two levels, each with 100 pictures and a file that is no
// picture, 10 000 pictures in all (by default). Each pass lists the whole
// tree; the first pass is printed on its own (the system's caches are
// cold for it only in part: the tree was just written), then the median of
// the others. Goal: under one second. Exit status 1 when the listing is not
// what was written.
//
//   tessivo_folder_bench [--pictures-per-folder=N] [--passes=N]

#include "BenchMeasure.h"

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
constexpr int kOuterFolders = 10;
constexpr int kInnerFolders = 10;

void MakeFolder(const std::string& path)
{
    if (!CreateDirectoryA(path.c_str(), nullptr))
        throw std::runtime_error("cannot create folder " + path);
}

void MakeEmptyFile(const std::string& path)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create file " + path);
    CloseHandle(file);
}

std::string Numbered(const char* prefix, int number, const char* suffix)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s%04d%s", prefix, number, suffix);
    return text;
}

// The tree's leaf folders, each with `perFolder` pictures and one text file.
std::string MakeTree(int perFolder)
{
    char temp[MAX_PATH + 1];
    GetTempPathA(sizeof temp, temp);
    const std::string root =
        std::string(temp) + Numbered("tessivo-folder-bench-", GetCurrentProcessId() % 10000, "");
    MakeFolder(root);
    for (int outer = 0; outer < kOuterFolders; ++outer) {
        const std::string outerPath = root + "\\" + Numbered("set ", outer, "");
        MakeFolder(outerPath);
        for (int inner = 0; inner < kInnerFolders; ++inner) {
            const std::string innerPath = outerPath + "\\" + Numbered("album ", inner, "");
            MakeFolder(innerPath);
            MakeEmptyFile(innerPath + "\\notes.txt");
            for (int picture = 0; picture < perFolder; ++picture)
                MakeEmptyFile(innerPath + "\\" + Numbered("photo ", picture, picture % 2 ? ".jpg" : ".png"));
        }
    }
    return root;
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

int Run(int perFolder, int passes)
{
    const size_t expected = static_cast<size_t>(kOuterFolders) * kInnerFolders * perFolder;
    const std::string root = MakeTree(perFolder);
    std::vector<double> times;
    bool complete = true;
    try {
        for (int pass = 0; pass <= passes; ++pass) {
            TStopwatch watch;
            const TPictureScan scan = ScanPictureFolder(root);
            times.push_back(watch.Milliseconds());
            complete = complete && scan.Pictures.size() == expected && scan.SkippedFolders == 0;
        }
    } catch (...) {
        RemoveTree(root);
        throw;
    }
    RemoveTree(root);

    std::sort(times.begin() + 1, times.end());
    const double median = times[static_cast<size_t>(1 + passes / 2)];
    std::printf("Folder scan: %zu pictures in %d folders (and %d other files)\n", expected,
                kOuterFolders * kInnerFolders, kOuterFolders * kInnerFolders);
    std::printf("  first pass   %8.1f ms\n", times[0]);
    std::printf("  median of %d %8.1f ms  (goal < %.0f ms: %s)\n", passes, median, kGoalMs,
                median < kGoalMs ? "met" : "MISSED");
    if (!complete)
        std::printf("  the listing did not hold the %zu pictures written\n", expected);
    return complete ? 0 : 1;
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
