#pragma once
// Making JPEG fixtures with cjpeg and reading references with djpeg. Host
// build only.

#include "CodecTestSupport.h"
#include "JpegTestData.h"
#include "core/codec/JpegDecoder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace codec_test {

// Writes a test picture of width x height and compresses it with
// `cjpeg <options>`; returns the JPEG's path (unquoted).
std::string MakeJpeg(const std::string& name, int width, int height, const std::string& cjpegOptions);

// djpeg's picture of `jpegPath`, at 1/scaleDenom.
PixelImage DjpegReference(const std::string& jpegPath, int scaleDenom = 1);

// Our decode of `bytes`.
PixelImage DecodeJpegImage(const std::vector<uint8_t>& bytes, const JpegDecodeOptions& options = {},
                           JpegDecodeResult* result = nullptr);

} // namespace codec_test
