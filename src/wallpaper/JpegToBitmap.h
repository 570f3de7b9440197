#pragma once
// Turning a JPEG file into the BMP file the desktop shows.

#include "core/UninitializedAllocator.h"
#include "core/codec/PixelBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

// A JPEG decoded at full size: 24-bit rows (blue, green, red), top row
// first, each padded to 4 bytes as a BMP file's rows are. The padding bytes
// hold nothing in particular (the BMP writer writes zeros in their place).
struct TDecodedJpeg {
    std::string Path;
    int Width = 0;
    int Height = 0;
    size_t Stride = 0;
    // Not zeroed on allocation: the decoder writes every pixel.
    std::vector<uint8_t, TUninitializedAllocator<uint8_t>> Pixels;

    PixelRows Rows() { return PixelRows{Pixels.data(), static_cast<ptrdiff_t>(Stride)}; }
};

// Reads and decodes the JPEG file at `jpegPath`. Raises EFOpenError when it
// cannot be opened, EJPEG when its data is rejected, EInvalidGraphic when
// the picture is too large.
TDecodedJpeg DecodeJpegFile(const std::string& jpegPath);

// Writes the picture as a 24-bit BMP file at `bitmapPath`, replacing any
// file there only once the new one is complete; EFCreateError when it
// cannot, and the old file stays as it was.
void WriteBitmapFile(TDecodedJpeg& picture, const std::string& bitmapPath);

// DecodeJpegFile, then WriteBitmapFile.
void ConvertJpegToBitmap(const std::string& jpegPath, const std::string& bitmapPath);
