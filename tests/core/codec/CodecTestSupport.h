#pragma once
// Helpers for the codec tests: a scratch folder, running the reference tools
// (ImageMagick's convert, libjpeg-turbo's cjpeg and djpeg), reading their
// PNM output into a PixelImage. Host build only.
//
// Fixtures are made at run time from a synthetic picture; no binary test
// data is kept in the repository.

#include "TestPictures.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace codec_test {

// A folder of this test process under the test data folder, emptied and
// made on first use and removed when the process ends.
const std::filesystem::path& ScratchDir();

// Path of `name` inside ScratchDir(), quoted for a shell command.
std::string Scratch(const std::string& name);

// Runs a shell command; throws std::runtime_error (with the command and its
// exit code) unless it exits with 0, or with 2 when `warningsOk` (djpeg's
// code for "decoded, with warnings").
void RunTool(const std::string& command, bool warningsOk = false);

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// Writes `picture` as a binary PPM (P6).
void WritePpm(const std::filesystem::path& path, const PixelImage& picture);

// Reads a binary PGM (P5, grey: expanded to B = G = R) or PPM (P6).
PixelImage ReadPnm(const std::filesystem::path& path);

// The BMP reader's picture of `bytes`.
PixelImage DecodeBmpImage(const std::vector<uint8_t>& bytes);

} // namespace codec_test
