#include "CodecTestSupport.h"

#include "core/codec/BmpCodec.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace codec_test {
namespace fs = std::filesystem;

namespace {

class ScratchFolder {
public:
    ScratchFolder() : Path(fs::path(TESSIVO_TEST_DATA_DIR) / ("codec-" + std::to_string(getpid())))
    {
        fs::remove_all(Path);
        fs::create_directories(Path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(Path, ignored);
    }
    const fs::path Path;
};

// One PNM header token, skipping blanks and # comments.
std::string NextToken(std::istream& in)
{
    std::string token;
    for (int c = in.get(); c != EOF; c = in.get()) {
        if (c == '#') {
            std::string comment;
            std::getline(in, comment);
            continue;
        }
        if (std::isspace(c)) {
            if (!token.empty())
                return token;
            continue;
        }
        token += static_cast<char>(c);
    }
    return token;
}

} // namespace

const fs::path& ScratchDir()
{
    static ScratchFolder folder;
    return folder.Path;
}

std::string Scratch(const std::string& name)
{
    return "'" + (ScratchDir() / name).string() + "'";
}

void RunTool(const std::string& command, bool warningsOk)
{
    const int status = std::system((command + " 2>/dev/null").c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code == 0 || (warningsOk && code == 2))
        return;
    throw std::runtime_error("command failed (exit " + std::to_string(code) + "): " + command);
}

std::vector<uint8_t> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void WritePpm(const fs::path& path, const PixelImage& picture)
{
    std::ostringstream header;
    header << "P6\n" << picture.Width() << " " << picture.Height() << "\n255\n";
    const std::string text = header.str();
    std::vector<uint8_t> bytes(text.begin(), text.end());
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* pixel = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, pixel += 3) {
            bytes.push_back(pixel[2]);
            bytes.push_back(pixel[1]);
            bytes.push_back(pixel[0]);
        }
    }
    WriteBytes(path, bytes);
}

PixelImage ReadPnm(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    const std::string magic = NextToken(in);
    const int width = std::stoi(NextToken(in));
    const int height = std::stoi(NextToken(in));
    const int maxValue = std::stoi(NextToken(in));
    if ((magic != "P5" && magic != "P6") || maxValue != 255)
        throw std::runtime_error("unsupported PNM " + path.string());
    const int channels = magic == "P6" ? 3 : 1;
    std::vector<char> samples(static_cast<size_t>(width) * height * channels);
    in.read(samples.data(), static_cast<std::streamsize>(samples.size()));
    if (!in)
        throw std::runtime_error("short PNM " + path.string());

    PixelImage picture(width, height);
    const auto* sample = reinterpret_cast<const uint8_t*>(samples.data());
    for (int y = 0; y < height; ++y) {
        uint8_t* pixel = picture.Row(y);
        for (int x = 0; x < width; ++x, pixel += 3, sample += channels) {
            pixel[0] = sample[channels - 1];
            pixel[1] = sample[channels == 3 ? 1 : 0];
            pixel[2] = sample[0];
        }
    }
    return picture;
}

PixelImage DecodeBmpImage(const std::vector<uint8_t>& bytes)
{
    PixelImage picture;
    DecodeBmp(bytes.data(), bytes.size(), picture.Allocator());
    return picture;
}

} // namespace codec_test
