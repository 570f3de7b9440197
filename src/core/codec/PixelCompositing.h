#pragma once
// Turning pixels that are not plain 24-bit colour into B, G, R bytes: pixels
// with alpha laid over a background colour, and palette indexes looked up
// in a palette whose entries may themselves be transparent.
//
// Colours are 0x00BBGGRR (as Windows' COLORREF) for the background and
// 0xAARRGGBB with straight alpha for palette entries (as WIC gives them).
//
// Portable: no Windows header.

#include <array>
#include <cstddef>
#include <cstdint>

// Pixels premultiplied by their alpha, B, G, R, A bytes each, laid over the
// background: colour + background * (255 - alpha) / 255, rounded.
void CompositePremultipliedRow(const uint8_t* bgra, int width, uint32_t background, uint8_t* bgr);

// A palette laid over the background once, so that expanding a row is a
// lookup: B, G, R bytes for each of 256 indexes (black past the entries
// given).
using BgrPalette = std::array<std::array<uint8_t, 3>, 256>;
BgrPalette CompositePalette(const uint32_t* argb, size_t entries, uint32_t background);

// The grey palette of a picture of `bitsPerIndex` (1, 2, 4 or 8) grey
// levels: index i is the level i * 255 / (2^bits - 1), opaque.
BgrPalette GrayPalette(int bitsPerIndex);

// Expands `width` indexes of `bitsPerIndex` (1, 2, 4 or 8) bits, packed
// from the most significant bit of each byte, into B, G, R pixels.
void ExpandIndexedRow(const uint8_t* indexes, int bitsPerIndex, int width, const BgrPalette& palette,
                      uint8_t* bgr);
