#pragma once
// The picture formats the program reads: which one a file name says, which
// one the data really is, and the patterns of the add dialog's filter.
//
// Portable: no Windows header.

#include <cstddef>
#include <cstdint>
#include <string>

enum class PictureFormat { Unknown, Bmp, Jpeg, Png, Gif, Tiff, Webp };

// The format an extension names, dot included, in any case: ".bmp"; ".jpg",
// ".jpeg", ".jpe", ".jfif"; ".png"; ".gif"; ".tif", ".tiff"; ".webp".
PictureFormat PictureFormatOfExtension(const std::string& extension);

// The format the data's first bytes announce; Unknown when none does.
PictureFormat SniffPictureFormat(const uint8_t* data, size_t size);

// The format to read the data as: the one it announces, else `named` (the
// format the file's name gives), so that a broken file is reported as
// broken in the format it claims. A PNG saved as ".jpg" is a PNG.
PictureFormat DecidePictureFormat(const uint8_t* data, size_t size, PictureFormat named);

// "Bitmap", "JPEG", "PNG", "GIF", "TIFF", "WebP" (empty for Unknown), as
// error messages name the format.
const char* PictureFormatName(PictureFormat format);

// Every extension above as a file dialog pattern: "*.bmp;*.jpg;...;*.webp".
std::string PictureFilePatterns();
