#pragma once
// The wallpaper conversion of a photograph (JPEG file in, 24-bit BMP file
// out), side by side with `djpeg -bmp` and with the floor: libjpeg's plain
// full decode straight into the BMP's row order and one fwrite.

#include "BenchPictures.h"

#include <filesystem>
#include <vector>

// Registers Wallpaper/<picture>/{tessivo,djpeg-bmp,libjpeg-fwrite} for each
// picture, each writing its BMP into `outputFolder`, and the decoding parts
// alone of the two in-process ones ({tessivo,libjpeg}-decode); `pictures`
// must outlive the run.
void RegisterWallpaperBenchmarks(const std::vector<BenchPicture>& pictures,
                                 const std::filesystem::path& outputFolder);

// Converts `picture` the program's way into `bitmapPath`.
void ConvertLikeTessivo(const BenchPicture& picture, const std::filesystem::path& bitmapPath);
// Converts `picture` with the plain libjpeg decode and one fwrite.
void ConvertWithLibjpeg(const BenchPicture& picture, const std::filesystem::path& bitmapPath);
