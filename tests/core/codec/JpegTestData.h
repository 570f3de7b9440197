#pragma once
// JPEG data made and read with libjpeg's plain API, for tests in both builds
// (the Windows build has no cjpeg or djpeg to call), and a walk over a JPEG
// file's marker segments for tests that edit files.

#include "TestPictures.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace codec_test {

struct JpegEncoding {
    int Quality = 85;
    bool Progressive = false;
    int LumaSampling = 2; // 2: 4:2:0, 1: 4:4:4 (both directions)
};

// MakeTestPicture(width, height) compressed by libjpeg.
std::vector<uint8_t> EncodeTestJpeg(int width, int height, const JpegEncoding& encoding = {});

// A 4-component JPEG written with libjpeg's own CMYK path, the Adobe marker
// on or off.
std::vector<uint8_t> MakeCmykJpeg(int width, int height, bool adobeMarker);

// libjpeg's own straightforward decode (no buffered-image mode) into B, G, R
// at 1/scaleDenom, for comparison. For valid data only.
PixelImage DecodeWithPlainLibjpeg(const std::vector<uint8_t>& bytes, int scaleDenom = 1);

struct JpegSegment {
    uint8_t Marker = 0; // the byte after 0xFF
    size_t Start = 0;   // offset of the 0xFF
    size_t End = 0;     // one past the segment, entropy-coded data included for SOS
};

// The file's segments from SOI to EOI, in order.
std::vector<JpegSegment> JpegSegments(const std::vector<uint8_t>& bytes);

// The file with scan number `scan` (from 1) given a spectral range that ends
// before it starts, which libjpeg rejects when it reaches that scan.
std::vector<uint8_t> WithBrokenScan(std::vector<uint8_t> bytes, int scan);

} // namespace codec_test
