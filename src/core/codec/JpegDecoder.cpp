#include "core/codec/JpegDecoder.h"

#include "core/Exceptions.h"
#include "core/JpegErrorTexts.h"
#include "core/codec/JpegSession.h"

#include <algorithm>
#include <array>
#include <climits>
#include <functional>
#include <jerror.h>
#include <stdexcept>
#include <vector>

namespace {

// Rows libjpeg is asked for at once.
constexpr unsigned kRowBatch = 16;

JpegColorSpace ToColorSpace(J_COLOR_SPACE space)
{
    switch (space) {
    case JCS_GRAYSCALE:
        return JpegColorSpace::Grayscale;
    case JCS_RGB:
        return JpegColorSpace::Rgb;
    case JCS_YCbCr:
        return JpegColorSpace::YCbCr;
    case JCS_CMYK:
        return JpegColorSpace::Cmyk;
    case JCS_YCCK:
        return JpegColorSpace::Ycck;
    default:
        return JpegColorSpace::Unknown;
    }
}

int ScaledSize(const jpeg_component_info& component)
{
#if JPEG_LIB_VERSION >= 70
    return component.DCT_h_scaled_size;
#else
    return component.DCT_scaled_size;
#endif
}

// Zigzag position of each coefficient, by row * 8 + column. libjpeg keeps
// the progression state (coef_bits) in zigzag order.
constexpr std::array<int, 64> kZigzagOfNatural = [] {
    constexpr int naturalOfZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                         12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                         35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                         58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    std::array<int, 64> zigzag{};
    for (int k = 0; k < 64; ++k)
        zigzag[naturalOfZigzag[k]] = k;
    return zigzag;
}();

// Rows (and columns) of coefficients that libjpeg's reduced inverse DCTs
// read: 1x1 takes the DC term alone; 2x2 and 4x4 skip the even terms that
// cancel out at their output size. Anything else reads all eight.
bool IdctReads(int scaledSize, int index)
{
    switch (scaledSize) {
    case 1:
        return index == 0;
    case 2:
        return index == 0 || index == 1 || index == 3 || index == 5 || index == 7;
    case 4:
        return index != 4;
    default:
        return true;
    }
}

// True when every coefficient that the scaled inverse DCT of every component
// reads has all its bits (coef_bits 0: the final refinement has been read).
// Output made now equals output made after the last scan of a well-formed
// file, which never sends a finished coefficient again.
bool ScaledCoefficientsFinal(const jpeg_decompress_struct& d)
{
    if (!d.progressive_mode || d.coef_bits == nullptr)
        return false;
    for (int c = 0; c < d.num_components; ++c) {
        const int scaledSize = ScaledSize(d.comp_info[c]);
        for (int row = 0; row < 8; ++row)
            for (int column = 0; column < 8; ++column)
                if (IdctReads(scaledSize, row) && IdctReads(scaledSize, column) &&
                    d.coef_bits[c][kZigzagOfNatural[row * 8 + column]] != 0)
                    return false;
    }
    return true;
}

// Bytes of libjpeg's whole-image coefficient buffer, which it keeps for a
// file of several scans: 64 coefficients of 2 bytes per 8x8 block, blocks
// rounded up to whole MCUs.
uint64_t CoefficientBufferBytes(const jpeg_decompress_struct& d)
{
    uint64_t bytes = 0;
    for (int c = 0; c < d.num_components; ++c) {
        const jpeg_component_info& component = d.comp_info[c];
        const auto roundUp = [](uint64_t value, uint64_t step) { return (value + step - 1) / step * step; };
        bytes += roundUp(component.width_in_blocks, static_cast<uint64_t>(component.h_samp_factor)) *
                 roundUp(component.height_in_blocks, static_cast<uint64_t>(component.v_samp_factor)) *
                 sizeof(JBLOCK);
    }
    return bytes;
}

// CMYK as JPEG files store it: inverted (0 = full ink), which is how Adobe
// applications write it and how libjpeg-turbo's tools and ImageMagick read
// every CMYK JPEG, Adobe marker or not. Then R = C * K / 255 and so on,
// rounded to nearest.
void CmykToBgr(const uint8_t* cmyk, int width, uint8_t* bgr)
{
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const unsigned k = cmyk[3];
        bgr[0] = static_cast<uint8_t>((cmyk[2] * k + 127) / 255);
        bgr[1] = static_cast<uint8_t>((cmyk[1] * k + 127) / 255);
        bgr[2] = static_cast<uint8_t>((cmyk[0] * k + 127) / 255);
    }
}

// Where the decoded rows go: a row's memory, by its number and its slot
// within the batch being read, and what happens once a batch is in.
struct RowDestination {
    std::function<uint8_t*(int y, unsigned slot)> RowFor;
    std::function<void(int firstRow, int count, uint8_t* const* rows)> BatchDone;
    JpegRowSpan Needed;
};

// Reads the output pass's needed rows into `destination`, converting CMYK
// on the way; rows above them are passed over when `canSkip` (libjpeg
// skips only in a file of one scan), rows below them never made.
void ReadNeededRows(JpegSession& session, const RowDestination& destination, bool cmyk, bool canSkip,
                    const std::function<bool()>& stillWanted)
{
    jpeg_decompress_struct& d = session.Decompressor();
    const int width = static_cast<int>(d.output_width);
    const unsigned end = static_cast<unsigned>(
        std::clamp<int64_t>(int64_t{destination.Needed.Last} + 1, 0, int64_t{d.output_height}));
    const auto first = static_cast<unsigned>(std::max(destination.Needed.First, 0));
    if (canSkip && first > 0 && first < end)
        session.SkipScanlines(first);
    std::array<uint8_t*, kRowBatch> pointers{};
    std::array<uint8_t*, kRowBatch> outputs{};
    std::vector<uint8_t> cmykRows(cmyk ? static_cast<size_t>(width) * 4 * kRowBatch : 0);
    while (d.output_scanline < end) {
        // Outside libjpeg's calls: the session's end releases it.
        if (stillWanted && !stillWanted())
            throw EDecodeAbandoned();
        const unsigned first = d.output_scanline;
        const unsigned count = std::min(kRowBatch, end - first);
        for (unsigned i = 0; i < count; ++i) {
            outputs[i] = destination.RowFor(static_cast<int>(first + i), i);
            pointers[i] = cmyk ? cmykRows.data() + static_cast<size_t>(width) * 4 * i : outputs[i];
        }
        const unsigned read = session.ReadScanlines(pointers.data(), count);
        if (read == 0)
            session.Fail(JERR_CANT_SUSPEND,
                         ErrorText::JpegReason::CutShort); // not with data in memory; never spin
        if (cmyk)
            for (unsigned i = 0; i < read; ++i)
                CmykToBgr(pointers[i], width, outputs[i]);
        if (destination.BatchDone)
            destination.BatchDone(static_cast<int>(first), static_cast<int>(read), outputs.data());
    }
}

// For a file of several scans (buffered-image mode): takes scans until the
// end, or until the 1/8 picture is final when `stopEarly`. Returns the scan
// to output and whether scans were left unread.
std::pair<int, bool> ConsumeScans(JpegSession& session, bool stopEarly,
                                  const std::function<bool()>& stillWanted)
{
    jpeg_decompress_struct& d = session.Decompressor();
    bool pictureFinal = false;
    for (;;) {
        if (stillWanted && !stillWanted())
            throw EDecodeAbandoned();
        const int status = session.ConsumeInput();
        if (status == JPEG_REACHED_EOI || status == JPEG_SUSPENDED)
            return {d.input_scan_number, false};
        if (status == JPEG_REACHED_SOS) {
            if (d.input_scan_number > kMaxJpegScans)
                session.Fail(JERR_BAD_PROGRESSION,
                             FormatText(ErrorText::JpegReason::TooManyScans, kMaxJpegScans));
            // Stop only when another scan follows: a file that ends here
            // is output exactly as a whole-file decode would do it.
            if (pictureFinal)
                return {d.input_scan_number - 1, true};
        } else if (status == JPEG_SCAN_COMPLETED && stopEarly) {
            pictureFinal = ScaledCoefficientsFinal(d);
        }
    }
}

} // namespace

JpegInfo ReadJpegInfo(const uint8_t* data, size_t size)
{
    JpegSession session(data, size);
    session.ReadHeader();
    const jpeg_decompress_struct& d = session.Decompressor();
    JpegInfo info;
    info.Width = static_cast<int>(d.image_width);
    info.Height = static_cast<int>(d.image_height);
    info.Components = d.num_components;
    info.ColorSpace = ToColorSpace(d.jpeg_color_space);
    info.Progressive = d.progressive_mode != FALSE;
    return info;
}

namespace {

// The decode both entry points share: `start` gets the output size before
// any row is read and returns where the rows go.
JpegDecodeResult DecodeJpegInto(const uint8_t* data, size_t size, const JpegDecodeOptions& options,
                                const std::function<RowDestination(int width, int height)>& start)
{
    const int denom = options.ScaleDenom;
    if (denom != 1 && denom != 2 && denom != 4 && denom != 8)
        throw std::invalid_argument("JPEG scale must be 1/1, 1/2, 1/4 or 1/8");

    JpegSession session(data, size);
    session.ReadHeader();
    jpeg_decompress_struct& d = session.Decompressor();

    const bool cmyk = d.jpeg_color_space == JCS_CMYK || d.jpeg_color_space == JCS_YCCK;
    d.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR; // grey and RGB files expand to B, G, R too
    d.scale_num = 1;
    d.scale_denom = static_cast<unsigned>(denom);
    const bool multiScan = session.HasMultipleScans();
    d.buffered_image = multiScan ? TRUE : FALSE; // so this code sees, counts and can stop the scans
    session.CalcOutputDimensions();

    // Refuse before anything big exists: libjpeg has only read the headers.
    const uint64_t outputBytes = Dib24Bytes(d.output_width, d.output_height);
    const uint64_t workBytes = multiScan ? CoefficientBufferBytes(d) : 0;
    CheckDecodedSize(outputBytes + workBytes, options.MaxDecodedBytes, d.image_width, d.image_height);
    // And a ceiling on libjpeg's whole-image buffers should the estimate
    // miss, with room for its row buffers and tables, which the estimate
    // leaves out because they are small.
    constexpr uint64_t kLibraryOverhead = uint64_t{16} << 20;
    d.mem->max_memory_to_use =
        static_cast<long>(std::min<uint64_t>(workBytes + kLibraryOverhead, static_cast<uint64_t>(LONG_MAX)));

    const RowDestination destination =
        start(static_cast<int>(d.output_width), static_cast<int>(d.output_height));
    session.StartDecompress();

    JpegDecodeResult result;
    result.Width = static_cast<int>(d.output_width);
    result.Height = static_cast<int>(d.output_height);
    if (multiScan) {
        const auto [scan, stoppedEarly] =
            ConsumeScans(session, options.StopEarlyAtEighth && denom == 8, options.StillWanted);
        result.StoppedEarly = stoppedEarly;
        // Block smoothing guesses coefficients not yet received; the whole
        // file's decode has them all and does not smooth, so neither may we.
        if (stoppedEarly)
            d.do_block_smoothing = FALSE;
        session.StartOutput(scan);
        ReadNeededRows(session, destination, cmyk, false, options.StillWanted);
        // An output pass left part-way needs no ending: the session goes.
        if (d.output_scanline == d.output_height)
            session.FinishOutput();
    } else {
        ReadNeededRows(session, destination, cmyk, true, options.StillWanted);
    }
    // Not jpeg_finish_decompress: every pixel is in, and reading on to the
    // end marker would only add errors from trailing junk.
    result.BytesRead = session.BytesRead();
    return result;
}

} // namespace

JpegDecodeResult DecodeJpeg(const uint8_t* data, size_t size, const JpegDecodeOptions& options,
                            const AllocatePixels& allocate)
{
    return DecodeJpegInto(data, size, options, [&allocate](int width, int height) {
        const PixelRows rows = allocate(width, height);
        return RowDestination{[rows](int y, unsigned) { return rows.Row(y); }, nullptr};
    });
}

JpegDecodeResult DecodeJpegRows(const uint8_t* data, size_t size, const JpegDecodeOptions& options,
                                const JpegRowSink& sink)
{
    std::vector<uint8_t> batch;
    size_t rowBytes = 0;
    return DecodeJpegInto(data, size, options, [&](int width, int height) {
        const JpegRowSpan needed = sink.Start(width, height);
        rowBytes = static_cast<size_t>(width) * 3;
        batch.resize(rowBytes * kRowBatch);
        return RowDestination{
            [&batch, &rowBytes](int, unsigned slot) { return batch.data() + rowBytes * slot; }, sink.Rows,
            needed};
    });
}

int JpegScaleDenomFor(int width, int height, int neededWidth, int neededHeight)
{
    // libjpeg's output size at 1/denom is the full size divided, rounded up.
    const auto atLeast = [](int full, int denom, int needed) { return (full + denom - 1) / denom >= needed; };
    int denom = 1;
    while (denom < 8 && atLeast(width, denom * 2, neededWidth) && atLeast(height, denom * 2, neededHeight))
        denom *= 2;
    return denom;
}
