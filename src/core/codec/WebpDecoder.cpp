#include "core/codec/WebpDecoder.h"

#include "core/Exceptions.h"
#include "core/codec/PixelCompositing.h"

#include <webp/decode.h>
#include <webp/demux.h>

namespace {

EInvalidGraphic InvalidWebp()
{
    return EInvalidGraphic::InvalidPicture("WebP");
}

// The decoder's own output buffer, freed on every path.
class DecoderOutput {
public:
    explicit DecoderOutput(WebPDecoderConfig& config) : config_(config) {}
    ~DecoderOutput() { WebPFreeDecBuffer(&config_.output); }
    DecoderOutput(const DecoderOutput&) = delete;
    DecoderOutput& operator=(const DecoderOutput&) = delete;

private:
    WebPDecoderConfig& config_;
};

WebPDecoderConfig NewConfig(const uint8_t* data, size_t size)
{
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config) || WebPGetFeatures(data, size, &config.input) != VP8_STATUS_OK)
        throw InvalidWebp();
    return config;
}

// Opaque pictures go straight into the rows: libwebp writes top-down rows
// at a positive stride, and flips its output for bottom-up ones.
void DecodeOpaque(const uint8_t* data, size_t size, WebPDecoderConfig& config, const PixelRows& rows)
{
    const int width = config.input.width, height = config.input.height;
    const bool bottomUp = rows.Stride < 0;
    const ptrdiff_t stride = bottomUp ? -rows.Stride : rows.Stride;
    config.options.flip = bottomUp ? 1 : 0;
    config.output.colorspace = MODE_BGR;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = bottomUp ? rows.Row(height - 1) : rows.Row0;
    config.output.u.RGBA.stride = static_cast<int>(stride);
    config.output.u.RGBA.size =
        static_cast<size_t>(stride) * static_cast<size_t>(height - 1) + static_cast<size_t>(width) * 3;
    const DecoderOutput output(config);
    if (WebPDecode(data, size, &config) != VP8_STATUS_OK)
        throw InvalidWebp();
}

void DecodeWithAlpha(const uint8_t* data, size_t size, WebPDecoderConfig& config, uint32_t background,
                     const PixelRows& rows)
{
    config.output.colorspace = MODE_bgrA; // premultiplied, as the compositing takes it
    const DecoderOutput output(config);
    if (WebPDecode(data, size, &config) != VP8_STATUS_OK)
        throw InvalidWebp();
    const WebPRGBABuffer& decoded = config.output.u.RGBA;
    for (int y = 0; y < config.input.height; ++y)
        CompositePremultipliedRow(decoded.rgba + static_cast<ptrdiff_t>(y) * decoded.stride,
                                  config.input.width, background, rows.Row(y));
}

// Decodes a whole still picture (a file, or one frame's bitstream) into
// rows of its size.
void DecodeStill(const uint8_t* data, size_t size, uint32_t background, const PixelRows& rows)
{
    WebPDecoderConfig config = NewConfig(data, size);
    if (config.input.has_alpha)
        DecodeWithAlpha(data, size, config, background, rows);
    else
        DecodeOpaque(data, size, config, rows);
}

// The demuxer over an animation, deleted on every path.
class Demuxer {
public:
    Demuxer(const uint8_t* data, size_t size)
    {
        const WebPData whole{data, size};
        demux_ = WebPDemux(&whole); // null for broken or incomplete data
        if (demux_ == nullptr)
            throw InvalidWebp();
    }
    ~Demuxer() { WebPDemuxDelete(demux_); }
    Demuxer(const Demuxer&) = delete;
    Demuxer& operator=(const Demuxer&) = delete;

    WebPDemuxer* Get() const { return demux_; }

private:
    WebPDemuxer* demux_ = nullptr;
};

// Where an animation's first frame lies on its canvas, and its bitstream
// (inside the file's data).
struct FirstFrame {
    WebPData Bitstream{};
    int Left = 0;
    int Top = 0;
};

FirstFrame FindFirstFrame(const Demuxer& demuxer, int width, int height)
{
    WebPIterator iterator;
    if (!WebPDemuxGetFrame(demuxer.Get(), 1, &iterator))
        throw InvalidWebp();
    const FirstFrame frame{iterator.fragment, iterator.x_offset, iterator.y_offset};
    const bool inside = frame.Left >= 0 && frame.Top >= 0 && iterator.width >= 1 && iterator.height >= 1 &&
                        iterator.width <= width - frame.Left && iterator.height <= height - frame.Top;
    WebPDemuxReleaseIterator(&iterator);
    // The demuxer checks this too; a frame outside would write outside the rows.
    if (!inside)
        throw InvalidWebp();
    return frame;
}

// An animation's first frame, as it shows before the second: on a canvas
// of the animation's size, at the frame's place, the rest of the canvas
// transparent (the file's background colour is only a hint, which viewers
// ignore), so that it shows `background` like every transparent pixel.
void DecodeFirstFrame(const FirstFrame& frame, int width, int height, uint32_t background,
                      const PixelRows& rows)
{
    const uint8_t fill[3] = {static_cast<uint8_t>(background >> 16), static_cast<uint8_t>(background >> 8),
                             static_cast<uint8_t>(background)};
    for (int y = 0; y < height; ++y) {
        uint8_t* pixel = rows.Row(y);
        for (int x = 0; x < width; ++x, pixel += 3) {
            pixel[0] = fill[0];
            pixel[1] = fill[1];
            pixel[2] = fill[2];
        }
    }
    DecodeStill(frame.Bitstream.bytes, frame.Bitstream.size, background,
                PixelRows{rows.Row(frame.Top) + static_cast<ptrdiff_t>(frame.Left) * 3, rows.Stride});
}

} // namespace

WebpInfo ReadWebpInfo(const uint8_t* data, size_t size)
{
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data, size, &features) != VP8_STATUS_OK || features.width < 1 || features.height < 1)
        throw InvalidWebp();
    return {features.width, features.height, features.has_alpha != 0, features.has_animation != 0};
}

uint64_t WebpDecoderBytes(const WebpInfo& info)
{
    return info.HasAlpha || info.Animated
               ? static_cast<uint64_t>(info.Width) * static_cast<uint64_t>(info.Height) * 4
               : 0;
}

void DecodeWebp(const uint8_t* data, size_t size, uint32_t background, uint64_t maxDecodedBytes,
                const AllocatePixels& allocate)
{
    const WebpInfo info = ReadWebpInfo(data, size);
    const uint64_t pictureBytes =
        Dib24Bytes(static_cast<uint64_t>(info.Width), static_cast<uint64_t>(info.Height));
    CheckDecodedSize(pictureBytes + WebpDecoderBytes(info), maxDecodedBytes, info.Width, info.Height);
    if (info.Animated) {
        // The animation's layout is checked before anything is allocated.
        const Demuxer demuxer(data, size);
        const FirstFrame frame = FindFirstFrame(demuxer, info.Width, info.Height);
        DecodeFirstFrame(frame, info.Width, info.Height, background, allocate(info.Width, info.Height));
        return;
    }
    DecodeStill(data, size, background, allocate(info.Width, info.Height));
}
