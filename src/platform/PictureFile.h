#pragma once
// Decoding a picture file of any format the program reads (BMP, JPEG, PNG,
// GIF, TIFF, WebP) into 24-bit B, G, R rows. The data decides the format;
// the file's name only where the data announces none (see ReadPictureInfo).
// Every picture's size is read from its headers and checked against the
// memory limit before anything of its size exists.

#include "core/codec/JpegDecoder.h"
#include "core/codec/PictureInfo.h"
#include "core/codec/PixelBuffer.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct PictureRequest {
    // Called once with the decoded size, before any pixel is written.
    AllocatePixels Allocate;
    // Laid under transparent pixels, 0x00BBGGRR.
    uint32_t Background = 0;
    uint64_t MaxDecodedBytes = kMaxDecodedBytes;
    // How a JPEG is decoded. Its scale (and any other choice only a JPEG
    // decode can make while decoding, such as a target size) goes here: the
    // other formats are always decoded at their own size. Its own
    // MaxDecodedBytes is replaced by the request's.
    JpegDecodeOptions Jpeg;
};

// Decodes the data (`named` as for ReadPictureInfo); returns its format and the size of the rows it filled
// (a JPEG's scaled size, else the picture's own). Throws
// EInvalidGraphic::UnknownFormat for data of no format the program reads,
// EInvalidGraphic::InvalidPicture / InvalidBitmap or EJPEG for broken data,
// EInvalidGraphic::UnsupportedPicture for what cannot be decoded here,
// EInvalidGraphic::TooLarge past the limit, and what Allocate throws.
PictureInfo DecodePicture(const uint8_t* data, size_t size, const PictureRequest& request,
                          PictureFormat named = PictureFormat::Unknown);

// Maps the file (EFOpenError when it cannot), then DecodePicture: its data
// decides the format, its extension only for data that announces none.
// Memory follows the picture, not the file: bytes after the picture (a
// file padded to gigabytes) are never read.
PictureInfo DecodePictureFile(const std::string& path, const PictureRequest& request);
