#pragma once
// Helpers for the codec tests: a scratch folder, running the reference tools
// (ImageMagick's convert, libjpeg-turbo's cjpeg and djpeg), reading their
// PNM output into a PixelImage, and comparing pictures.
//
// Fixtures are made at run time from a synthetic picture; no binary test
// data is kept in the repository.

#include "framework/codec/PixelImage.h"

#include <gtest/gtest.h>

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
void Run(const std::string& command, bool warningsOk = false);

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// A deterministic test picture: smooth gradients, sharp-edged blocks and
// noise, so every frequency band of a JPEG carries data.
PixelImage MakeTestPicture(int width, int height, uint32_t seed = 1);

// Writes `picture` as a binary PPM (P6).
void WritePpm(const std::filesystem::path& path, const PixelImage& picture);

// Reads a binary PGM (P5, grey: expanded to B = G = R) or PPM (P6).
PixelImage ReadPnm(const std::filesystem::path& path);

// Decoders' output, comparable with gtest.
PixelImage DecodeBmpImage(const std::vector<uint8_t>& bytes);

// Same size and the same bytes in every pixel; on failure tells where.
::testing::AssertionResult SamePixels(const PixelImage& expected, const PixelImage& actual);

}  // namespace codec_test
