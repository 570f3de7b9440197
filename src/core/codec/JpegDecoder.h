#pragma once
// Decoding JPEG data in memory with libjpeg (libjpeg-turbo), into 24-bit
// B, G, R rows. Output equals libjpeg-turbo's djpeg with default settings
// (accurate integer IDCT, smooth chroma upsampling), colour by colour.
//
// Errors: data libjpeg rejects raises EJPEG ("JPEG error #n: " and what is
// wrong in words, n = libjpeg's message code); a picture that would need more than the memory limit
// raises EInvalidGraphic::TooLarge before anything big is allocated.
//
// Portable: no Windows header.

#include "core/codec/PixelBuffer.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>

enum class JpegColorSpace { Unknown, Grayscale, Rgb, YCbCr, Cmyk, Ycck };

struct JpegInfo {
    int Width = 0;
    int Height = 0;
    int Components = 0;
    JpegColorSpace ColorSpace = JpegColorSpace::Unknown;
    bool Progressive = false;
};

// Reads the headers up to the first scan. Throws EJPEG.
JpegInfo ReadJpegInfo(const uint8_t* data, size_t size);

struct JpegDecodeOptions {
    // Output is 1/ScaleDenom of the full size (rounded up): 1, 2, 4 or 8.
    int ScaleDenom = 1;
    // At 1/8 size a progressive file is done long before its last scan: the
    // 1/8 picture needs only the coarsest coefficients (the DC term, and for
    // chroma stored at half resolution the few terms of a 2x2 block). With
    // this on, reading stops after the first scan from which those are all
    // final, and the picture is exactly the one the whole file gives.
    bool StopEarlyAtEighth = true;
    // The memory one decode may take: the 24-bit output plus, for a file of
    // several scans, libjpeg's whole-image coefficient buffer.
    uint64_t MaxDecodedBytes = kMaxDecodedBytes;
    // Asked between batches of rows and between steps of a file's scans;
    // once it says no, the decode stops there and raises EDecodeAbandoned
    // (a picture a newer request has made unwanted costs no more). Empty:
    // the decode runs to its end.
    std::function<bool()> StillWanted;
};

// A decode stopped because its StillWanted said no: nobody waits for the
// picture, so this is no error to report.
struct EDecodeAbandoned : std::exception {
    const char* what() const noexcept override { return "decode abandoned"; }
};

struct JpegDecodeResult {
    int Width = 0; // of the output
    int Height = 0;
    size_t BytesRead = 0;      // input taken by the decoder
    bool StoppedEarly = false; // StopEarlyAtEighth left scans unread
};

// Decodes into rows obtained from `allocate` (called once, with the output
// size, before any pixel is written). Throws EJPEG, EInvalidGraphic::TooLarge,
// whatever `allocate` throws, and std::invalid_argument for a ScaleDenom
// other than 1, 2, 4, 8.
JpegDecodeResult DecodeJpeg(const uint8_t* data, size_t size, const JpegDecodeOptions& options,
                            const AllocatePixels& allocate);

// The rows of a decode handed over as they come, for a caller that scales
// them on the way and never holds the whole picture: `Start` gets the output
// size once before any row and returns the rows it needs, then `Rows` gets
// each batch of those rows in order, top first (B, G, R; valid only during
// the call). Rows above the needed ones are passed over without being made
// where the file allows it (one scan), and the decode ends after the last.
struct JpegRowSpan {
    int First = 0;
    int Last = INT_MAX;
};
struct JpegRowSink {
    std::function<JpegRowSpan(int width, int height)> Start;
    std::function<void(int firstRow, int count, uint8_t* const* rows)> Rows;
};

// DecodeJpeg, handing the rows to `sink` instead of writing them into one
// picture. Throws what DecodeJpeg throws, and whatever the sink throws.
JpegDecodeResult DecodeJpegRows(const uint8_t* data, size_t size, const JpegDecodeOptions& options,
                                const JpegRowSink& sink);

// The ScaleDenom (1, 2, 4 or 8) whose output is the smallest not below
// neededWidth x neededHeight: a picture drawn smaller than it is stored is
// never decoded at full size. 1 when even the full size falls short.
int JpegScaleDenomFor(int width, int height, int neededWidth, int neededHeight);

// Files with more scans than this are refused (EJPEG with libjpeg's
// "invalid progressive parameters" code): every scan costs a pass over the
// whole picture, so a crafted file of many tiny scans would otherwise take
// minutes. Real encoders use about 10.
inline constexpr int kMaxJpegScans = 500;
