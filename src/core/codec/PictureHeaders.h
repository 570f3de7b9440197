#pragma once
// The sizes that icon, metafile, PNG, GIF and TIFF files claim, read from
// their headers before anything is loaded, so that the one size check
// (CheckPictureSize) can refuse a picture before the system allocates it.
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

// A PNG's size and the bits of one of its pixels as stored (channels times
// bit depth, 1 to 64), which is what a decoder holding the whole picture
// keeps. False when the data is not a PNG or IHDR names no valid layout.
struct PngHeader {
    PictureSize Size;
    int BitsPerPixel = 0;
};
bool ReadPngHeader(const uint8_t* data, size_t size, PngHeader& result);

// What a GIF file holds, from its blocks: the logical screen, the first
// frame's own size, and the pixels of all frames together (a decoder that
// reads the whole file at once keeps a byte for each). The walk ends at the
// trailer or where the data does; false when the data is not a GIF or no
// frame descriptor is complete.
struct GifLayout {
    PictureSize Screen;
    PictureSize FirstFrame;
    uint64_t FramePixels = 0;
    int Frames = 0;
};
bool ReadGifLayout(const uint8_t* data, size_t size, GifLayout& result);

// The size of a TIFF's first page (ImageWidth and ImageLength of its first
// directory), either byte order. False when the data is not a TIFF, or the
// directory is outside the data or lacks either tag.
bool ReadTiffSize(const uint8_t* data, size_t size, PictureSize& result);

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
