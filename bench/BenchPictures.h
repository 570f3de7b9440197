#pragma once
// The pictures the benchmarks decode: JPEG photographs from a folder (the
// benchmark script fills it with real photographs), and optionally a 4000 x
// 3000 ImageMagick plasma compressed baseline and progressive by cjpeg.

#include "core/codec/JpegDecoder.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct BenchPicture {
    std::string Name;
    std::filesystem::path Path;
    std::vector<uint8_t> Bytes;
    JpegInfo Info;
};

struct BenchPictureSources {
    // Every *.jpg and *.jpeg in it, in name order (a missing folder adds none).
    std::filesystem::path PhotoFolder;
    // Also the generated plasma pictures (made in a scratch folder removed
    // at exit).
    bool Generated = true;
};

// Loads the pictures. Throws std::runtime_error when a tool fails and EJPEG
// when a photograph is not a JPEG that libjpeg reads.
std::vector<BenchPicture> PrepareBenchPictures(const BenchPictureSources& sources);

// "4096x2304 progressive": the size and the kind of a picture.
std::string DescribePicture(const BenchPicture& picture);
