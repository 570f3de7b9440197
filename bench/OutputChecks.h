#pragma once
// Before anything is timed: the compared programs must produce the same
// pixels, or the comparison would mean nothing.

#include "BenchPictures.h"

#include <filesystem>
#include <string>

// True when the preview decode gives exactly libjpeg's scaled decode.
bool PreviewMatchesLibjpeg(const BenchPicture& picture);

// Converts the picture the program's way, with djpeg -bmp and with the
// libjpeg floor (files in `folder`), and compares the pixel data of the
// three BMP files. Returns "identical" or what differs.
std::string CompareWallpaperOutputs(const BenchPicture& picture, const std::filesystem::path& folder);
