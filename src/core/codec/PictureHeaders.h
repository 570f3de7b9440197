#pragma once
// The sizes that icon and metafile files claim, read from their headers
// before anything is loaded, so that the one size check (CheckPictureSize)
// can refuse a picture before the system allocates it.
//
// Portable: no Windows header.

#include <cstddef>
#include <cstdint>
#include <vector>

struct PictureSize {
    int64_t Width = 0;
    int64_t Height = 0;
};

// An enhanced metafile's size in device pixels: its header's bounds
// (right - left, bottom - top; an inverted side counts as 0). False when the
// data does not start with an enhanced-metafile header.
bool ReadEmfSize(const uint8_t* data, size_t size, PictureSize& result);

// A PNG's size from its IHDR chunk. False when the data is not a PNG.
bool ReadPngSize(const uint8_t* data, size_t size, PictureSize& result);

// One picture of an icon file, with the size its own data gives (the
// directory's one-byte sizes cannot tell 256 from 18 000).
struct IconImage {
    size_t Offset = 0; // of the image data in the file
    size_t Bytes = 0;
    PictureSize Size;
    int BitCount = 0;
    bool Png = false;
};

// The pictures of an .ico file whose data lies inside the file and whose
// header (a DIB info header, or a PNG) gives a size of at least 1 x 1.
// Throws EInvalidGraphic::InvalidBitmap when the file has no icon directory
// or no such picture.
std::vector<IconImage> ReadIconImages(const uint8_t* data, size_t size);

// The largest picture of an icon file (the deepest of equal sizes): the
// one a picture viewer shows, and the bound on any picture of the file.
const IconImage& LargestIconImage(const std::vector<IconImage>& images);
