#pragma once
// Making JPEG fixtures with cjpeg and reading references with djpeg, plus a
// walk over a JPEG file's marker segments for tests that edit files.

#include "CodecTestSupport.h"

#include "framework/codec/JpegDecoder.h"

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

// A 4-component JPEG written with libjpeg's own CMYK path, the Adobe marker
// on or off.
std::vector<uint8_t> MakeCmykJpeg(int width, int height, bool adobeMarker);

struct JpegSegment {
    uint8_t Marker = 0;  // the byte after 0xFF
    size_t Start = 0;    // offset of the 0xFF
    size_t End = 0;      // one past the segment, entropy-coded data included for SOS
};

// The file's segments from SOI to EOI, in order.
std::vector<JpegSegment> JpegSegments(const std::vector<uint8_t>& bytes);

}  // namespace codec_test
