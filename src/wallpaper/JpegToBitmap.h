#pragma once
// Turning a JPEG file into the BMP file the desktop shows.

#include <string>

// Decodes the JPEG file at `jpegPath` at full size and writes it as a 24-bit
// BMP file at `bitmapPath`, replacing any file there only once the new one is
// complete. Raises EFOpenError when the JPEG cannot be opened, EJPEG when
// its data is rejected, EInvalidGraphic when the picture is too large, and
// EFCreateError when the bitmap cannot be written; on every error the old
// bitmap file stays as it was.
void ConvertJpegToBitmap(const std::string& jpegPath, const std::string& bitmapPath);
