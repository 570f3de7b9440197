#include "core/codec/WebpDecoder.h"

#include "core/Exceptions.h"
#include "core/codec/PixelCompositing.h"

#include <webp/decode.h>

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
    return info.HasAlpha ? static_cast<uint64_t>(info.Width) * static_cast<uint64_t>(info.Height) * 4 : 0;
}

void DecodeWebp(const uint8_t* data, size_t size, uint32_t background, uint64_t maxDecodedBytes,
                const AllocatePixels& allocate)
{
    const WebpInfo info = ReadWebpInfo(data, size);
    if (info.Animated)
        throw EInvalidGraphic::UnsupportedPicture("WebP");
    const uint64_t pictureBytes =
        Dib24Bytes(static_cast<uint64_t>(info.Width), static_cast<uint64_t>(info.Height));
    CheckDecodedSize(pictureBytes + WebpDecoderBytes(info), maxDecodedBytes, info.Width, info.Height);
    WebPDecoderConfig config = NewConfig(data, size);
    const PixelRows rows = allocate(info.Width, info.Height);
    if (info.HasAlpha)
        DecodeWithAlpha(data, size, config, background, rows);
    else
        DecodeOpaque(data, size, config, rows);
}
