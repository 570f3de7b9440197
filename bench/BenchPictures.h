#pragma once
// The pictures the benchmarks decode: generated at startup (a 4000 x 3000
// ImageMagick plasma, compressed baseline and progressive by cjpeg) plus any
// JPEG photographs in bench/photos/.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct BenchPicture {
    std::string Name;
    std::filesystem::path Path;
    std::vector<uint8_t> Bytes;
};

// Makes the generated pictures in a scratch folder (removed at exit) and
// loads every picture. Throws std::runtime_error when a tool fails.
std::vector<BenchPicture> PrepareBenchPictures();
