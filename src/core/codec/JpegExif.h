#pragma once
// The orientation a camera records in a JPEG file's Exif block (APP1
// "Exif\0\0", a TIFF structure whose first directory may hold tag 0x0112).
//
// Only the markers before the first scan are looked at; every offset is
// checked against the data, and anything missing, damaged or out of range
// gives 1 (as stored): a bad Exif block never stops a picture from showing.
//
// Portable: no Windows header.

#include <cstddef>
#include <cstdint>

// The Exif orientation value of the JPEG data, 1..8; 1 when there is none.
int ReadJpegExifOrientation(const uint8_t* data, size_t size);
