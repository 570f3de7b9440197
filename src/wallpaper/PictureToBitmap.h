#pragma once
// Turning a picture file of any format the program reads into the BMP file
// the desktop shows, at the picture's own size.

#include "platform/Files.h"
#include "wallpaper/JpegToBitmap.h"

#include <string>

// A picture of any format lies in memory exactly as a decoded JPEG does: a
// bottom-up 24-bit DIB, written to the file with no copy.
using TDecodedPicture = TDecodedJpeg;

// Reads and decodes the picture at `path` at full size; transparent pixels
// are laid over the desktop's background colour. Raises EFOpenError when it
// cannot be opened, EJPEG or EInvalidGraphic when its data is rejected or
// the picture is too large.
TDecodedPicture DecodePictureForWallpaper(const std::string& path);

// DecodePictureForWallpaper, then WriteBitmapFile (asking `stillWanted`).
void ConvertPictureToBitmap(const std::string& path, const std::string& bitmapPath,
                            const std::function<bool()>& stillWanted = {});
