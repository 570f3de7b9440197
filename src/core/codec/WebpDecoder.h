#pragma once
// Decoding WebP data in memory with libwebp, into 24-bit B, G, R rows;
// pixels with alpha are laid over a background colour.
//
// Errors: data libwebp rejects raises EInvalidGraphic::InvalidPicture
// ("WebP image is not valid"); an animation, which needs more than the
// still-picture decoder, EInvalidGraphic::UnsupportedPicture; a picture
// past the memory limit EInvalidGraphic::TooLarge before anything big is
// allocated.
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
// with alpha, which is laid over the background from it.
uint64_t WebpDecoderBytes(const WebpInfo& info);

// Decodes into rows obtained from `allocate` (called once, with the
// picture's size, before any pixel is written). `background` is
// 0x00BBGGRR.
void DecodeWebp(const uint8_t* data, size_t size, uint32_t background, uint64_t maxDecodedBytes,
                const AllocatePixels& allocate);
