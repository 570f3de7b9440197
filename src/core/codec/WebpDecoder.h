#pragma once
// Decoding WebP data in memory with libwebp, into 24-bit B, G, R rows;
// pixels with alpha are laid over a background colour.
//
// An animation shows its first frame, as GIF and TIFF show their first
// picture.
//
// Errors: data libwebp rejects raises EInvalidGraphic::InvalidPicture
// ("WebP image is not valid"); a picture past the memory limit
// EInvalidGraphic::TooLarge before anything big is allocated.
//
// Portable: no Windows header.

#include "core/codec/PixelBuffer.h"

#include <cstddef>
#include <cstdint>

struct WebpInfo {
    int Width = 0;
    int Height = 0;
    bool HasAlpha = false;
    bool Animated = false;
};

// Reads the headers. Throws EInvalidGraphic::InvalidPicture.
WebpInfo ReadWebpInfo(const uint8_t* data, size_t size);

// What the decoder holds beside the 24-bit picture: nothing for an opaque
// picture, which is decoded straight into the rows; a 32-bit copy for one
// with alpha, which is laid over the background from it, and for an
// animation, whose frames may carry alpha whatever its header says.
uint64_t WebpDecoderBytes(const WebpInfo& info);

// Decodes into rows obtained from `allocate` (called once, with the
// picture's size, before any pixel is written). `background` is
// 0x00BBGGRR.
void DecodeWebp(const uint8_t* data, size_t size, uint32_t background, uint64_t maxDecodedBytes,
                const AllocatePixels& allocate);
