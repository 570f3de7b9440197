#pragma once
// Which files a folder scan takes as pictures, and the order it lists names
// in. Portable: no Windows header.

#include <string_view>

// True for a name ending in a picture extension the program can show:
// .bmp .jpg .jpeg .jpe .jfif .png .gif .tif .tiff .webp, in any case.
bool IsPictureFileName(std::string_view name);

// The order of names within a folder: case-insensitive for the ASCII
// letters, then by byte, so the order is the same every time and two names
// that differ only in case still come in a fixed order.
bool NameBefore(std::string_view a, std::string_view b);
