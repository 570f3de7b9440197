#pragma once
// What a picture file is, read from its headers alone: its format, its size
// and what its decoder will hold beside the 24-bit picture, so that a
// picture too large for memory is refused before anything of its size is
// allocated, by this program or by the system's decoders.
//
// Portable: no Windows header.

#include "core/codec/PictureFormat.h"

#include <cstddef>
#include <cstdint>

struct PictureInfo {
    PictureFormat Format = PictureFormat::Unknown;
    int Width = 0;  // >= 1
    int Height = 0; // >= 1
    // Bytes the format's decoder keeps while it decodes, beyond the 24-bit
    // picture: the whole picture at its stored depth for decoders that read
    // it at once. JPEG's decoder counts its own buffers itself (0 here).
    uint64_t DecoderBytes = 0;
};

// The data's first bytes decide the format; data that announces none is
// read as `named` (the format the file's name gives), so that a broken
// file is reported as broken in its own format. Throws
// EInvalidGraphic::UnknownFormat when neither names a format the program
// reads, EInvalidGraphic (InvalidBitmap, InvalidPicture) or EJPEG for a
// header that is broken or gives no size of at least 1 x 1.
PictureInfo ReadPictureInfo(const uint8_t* data, size_t size, PictureFormat named = PictureFormat::Unknown);

// Throws EInvalidGraphic::TooLarge when the 24-bit picture and the
// decoder's own bytes together pass `limit`.
void CheckPictureMemory(const PictureInfo& info, uint64_t limit);
