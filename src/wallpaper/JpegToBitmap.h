#pragma once
// Turning a JPEG file into the BMP file the desktop shows.

#include "core/UninitializedAllocator.h"
#include "core/codec/PixelBuffer.h"
#include "platform/Files.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A JPEG decoded (at full size unless a scale was chosen), upright, laid
// out as a bottom-up 24-bit DIB, which is exactly the pixel block of a BMP
// file: rows of (blue, green, red) pixels, each padded with zeros to 4
// bytes, the bottom row first. The file is then written straight from this
// memory, with no copy.
struct TDecodedJpeg {
    std::string Path;
    int Width = 0; // as decoded
    int Height = 0;
    size_t Stride = 0;
    // The picture's own size, upright: larger than Width x Height when the
    // JPEG was decoded at a reduced DCT scale.
    int OwnWidth = 0;
    int OwnHeight = 0;
    // Decoded from JPEG data, not from another format under a JPEG's name
    // (whose transparency lies over the system's background colour).
    bool FromJpegData = false;
    // Not zeroed on allocation: the decoder writes every pixel, and the
    // padding is cleared after it.
    std::vector<uint8_t, TUninitializedAllocator<uint8_t>> Pixels;

    // The rows, top one first.
    PixelRows Rows()
    {
        return PixelRows{Pixels.data() + Stride * static_cast<size_t>(Height - 1),
                         -static_cast<ptrdiff_t>(Stride)};
    }
};

// Chooses the DCT scale (1, 2, 4 or 8) of a JPEG's decode from its data.
using TJpegScaleChoice = std::function<int(const uint8_t* data, size_t size)>;

// Reads and decodes the JPEG file at `jpegPath` (a picture of another
// format under that name as DecodePictureForWallpaper does), at the scale
// `scaleFor` chooses (full size without one). Raises EFOpenError when it
// cannot be opened, EJPEG when its data is rejected, EInvalidGraphic when
// the picture is too large; a JPEG's decode stops (EDecodeAbandoned) once
// `stillWanted` says no.
TDecodedJpeg DecodeJpegFile(const std::string& jpegPath, const std::function<bool()>& stillWanted = {},
                            const TJpegScaleChoice& scaleFor = {});

// Writes the picture as a 24-bit BMP file at `bitmapPath`, replacing any
// file there only once the new one is complete; EFCreateError when it
// cannot, and the old file stays as it was. When `stillWanted` says no
// just before that, the old file stays too.
void WriteBitmapFile(const TDecodedJpeg& picture, const std::string& bitmapPath,
                     const std::function<bool()>& stillWanted = {});

// ConvertPictureToBitmap (PictureToBitmap.h): a JPEG as DecodeJpegFile
// decodes it, and every other picture the wallpaper converts.
void ConvertJpegToBitmap(const std::string& jpegPath, const std::string& bitmapPath);
