#include "BenchPictures.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void RunTool(const std::string& command)
{
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("command failed: " + command);
}

std::vector<uint8_t> ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ScratchFolder {
    fs::path Path = fs::temp_directory_path() / ("tessivo-bench-" + std::to_string(getpid()));
    ScratchFolder() { fs::create_directories(Path); }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(Path, ignored);
    }
};

} // namespace

std::vector<BenchPicture> PrepareBenchPictures()
{
    static ScratchFolder scratch;
    const fs::path source = scratch.Path / "plasma-4000x3000.ppm";
    RunTool("convert -size 4000x3000 -seed 1 plasma:fractal '" + source.string() + "'");
    std::vector<BenchPicture> pictures;
    const struct {
        const char* Name;
        const char* Options;
    } variants[] = {{"baseline", "-quality 90"}, {"progressive", "-quality 90 -progressive"}};
    for (const auto& variant : variants) {
        const fs::path jpeg = scratch.Path / (std::string(variant.Name) + ".jpg");
        RunTool(std::string("cjpeg ") + variant.Options + " -outfile '" + jpeg.string() + "' '" +
                source.string() + "'");
        pictures.push_back({std::string("plasma4000x3000-") + variant.Name, jpeg, ReadAll(jpeg)});
    }

    std::vector<fs::path> photos;
    if (fs::is_directory(TESSIVO_BENCH_PHOTO_DIR))
        for (const auto& entry : fs::directory_iterator(TESSIVO_BENCH_PHOTO_DIR)) {
            std::string extension = entry.path().extension().string();
            std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
            if (extension == ".jpg" || extension == ".jpeg")
                photos.push_back(entry.path());
        }
    std::sort(photos.begin(), photos.end());
    for (const fs::path& photo : photos)
        pictures.push_back({photo.stem().string(), photo, ReadAll(photo)});
    return pictures;
}
