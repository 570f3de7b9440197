#include "BenchPictures.h"

#include "ChildProcess.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

BenchPicture LoadPicture(std::string name, const fs::path& path)
{
    BenchPicture picture{std::move(name), path, ReadAll(path), {}};
    picture.Info = ReadJpegInfo(picture.Bytes.data(), picture.Bytes.size());
    return picture;
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

void AddGenerated(std::vector<BenchPicture>& pictures)
{
    static ScratchFolder scratch;
    const fs::path source = scratch.Path / "plasma-4000x3000.ppm";
    RunProgram({"convert", "-size", "4000x3000", "-seed", "1", "plasma:fractal", source.string()});
    const struct {
        const char* Name;
        std::vector<std::string> Options;
    } variants[] = {{"baseline", {"-quality", "90"}}, {"progressive", {"-quality", "90", "-progressive"}}};
    for (const auto& variant : variants) {
        const fs::path jpeg = scratch.Path / (std::string(variant.Name) + ".jpg");
        std::vector<std::string> command{"cjpeg"};
        command.insert(command.end(), variant.Options.begin(), variant.Options.end());
        command.insert(command.end(), {"-outfile", jpeg.string(), source.string()});
        RunProgram(command);
        pictures.push_back(LoadPicture(std::string("plasma4000x3000-") + variant.Name, jpeg));
    }
}

} // namespace

std::vector<BenchPicture> PrepareBenchPictures(const BenchPictureSources& sources)
{
    std::vector<BenchPicture> pictures;
    std::vector<fs::path> photos;
    if (fs::is_directory(sources.PhotoFolder))
        for (const auto& entry : fs::directory_iterator(sources.PhotoFolder)) {
            std::string extension = entry.path().extension().string();
            std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
            if (extension == ".jpg" || extension == ".jpeg")
                photos.push_back(entry.path());
        }
    std::sort(photos.begin(), photos.end());
    for (const fs::path& photo : photos)
        pictures.push_back(LoadPicture(photo.stem().string(), photo));
    if (sources.Generated)
        AddGenerated(pictures);
    return pictures;
}

std::string DescribePicture(const BenchPicture& picture)
{
    return std::to_string(picture.Info.Width) + "x" + std::to_string(picture.Info.Height) + " " +
           (picture.Info.Progressive ? "progressive" : "baseline");
}
