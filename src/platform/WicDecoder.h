#pragma once
// Decoding PNG, GIF (first frame) and TIFF (first page) data in memory
// through the Windows Imaging Component, into 24-bit B, G, R rows; pixels
// with alpha are laid over a background colour.

#include "core/codec/PictureInfo.h"
#include "core/codec/PixelBuffer.h"

#include <cstddef>
#include <cstdint>

// `info` is what ReadPictureInfo read from the same data, already checked
// against the memory limit; a frame the decoder finds larger than that is
// checked again before the rows are asked for. `background` is 0x00BBGGRR.
// Throws EInvalidGraphic::InvalidPicture for data the decoder rejects,
// EInvalidGraphic::UnsupportedPicture when the system has no decoder for
// the format, EInvalidGraphic::TooLarge, and whatever `allocate` throws.
void DecodeWithWic(const uint8_t* data, size_t size, const PictureInfo& info, uint32_t background,
                   uint64_t maxDecodedBytes, const AllocatePixels& allocate);
