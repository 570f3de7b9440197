#pragma once
// The floor of a wallpaper drawn in "Fill": what any libjpeg program must do
// at least to put that photograph on a screen of that size as a BMP file.
// Shared by the host render benchmark and the Windows tick benchmark, so
// both judge the program against the same work.

#include "LibjpegReference.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The DCT scale (1, 2, 4 or 8) the program decodes the JPEG at when it
// draws it in "Fill" onto a screen of screenWidth x screenHeight.
int FillScaleDenom(const uint8_t* jpeg, size_t size, int screenWidth, int screenHeight);

// The floor's two parts: libjpeg's plain decode of the JPEG at that scale
// into BMP row order; then the BMP of the screen's size written with one
// fwrite of its header and one of its pixels (the decoded rows, cut or
// padded to the screen). Throw std::runtime_error when they fail.
ReferencePicture DecodeFillFloor(const uint8_t* jpeg, size_t size, int screenWidth, int screenHeight);
void WriteFloorBitmap(const ReferencePicture& decoded, int screenWidth, int screenHeight,
                      const std::string& bitmapPath);

// Both parts.
void WriteFillFloor(const uint8_t* jpeg, size_t size, int screenWidth, int screenHeight,
                    const std::string& bitmapPath);
