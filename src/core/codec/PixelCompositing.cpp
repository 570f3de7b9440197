#include "core/codec/PixelCompositing.h"

#include <stdexcept>

namespace {

uint8_t Over(unsigned premultiplied, unsigned background, unsigned alpha)
{
    const unsigned value = premultiplied + (background * (255 - alpha) + 127) / 255;
    return static_cast<uint8_t>(value > 255 ? 255 : value);
}

uint8_t Channel(uint32_t color, int shift)
{
    return static_cast<uint8_t>(color >> shift);
}

} // namespace

void CompositePremultipliedRow(const uint8_t* bgra, int width, uint32_t background, uint8_t* bgr)
{
    const unsigned red = Channel(background, 0), green = Channel(background, 8),
                   blue = Channel(background, 16);
    for (int x = 0; x < width; ++x, bgra += 4, bgr += 3) {
        const unsigned alpha = bgra[3];
        if (alpha == 255) {
            bgr[0] = bgra[0];
            bgr[1] = bgra[1];
            bgr[2] = bgra[2];
        } else {
            bgr[0] = Over(bgra[0], blue, alpha);
            bgr[1] = Over(bgra[1], green, alpha);
            bgr[2] = Over(bgra[2], red, alpha);
        }
    }
}

BgrPalette CompositePalette(const uint32_t* argb, size_t entries, uint32_t background)
{
    BgrPalette palette{};
    for (size_t i = 0; i < entries && i < palette.size(); ++i) {
        const unsigned alpha = Channel(argb[i], 24);
        const auto premultiply = [alpha](unsigned value) { return (value * alpha + 127) / 255; };
        const uint8_t pixel[4] = {static_cast<uint8_t>(premultiply(Channel(argb[i], 0))),
                                  static_cast<uint8_t>(premultiply(Channel(argb[i], 8))),
                                  static_cast<uint8_t>(premultiply(Channel(argb[i], 16))),
                                  static_cast<uint8_t>(alpha)};
        CompositePremultipliedRow(pixel, 1, background, palette[i].data());
    }
    return palette;
}

BgrPalette GrayPalette(int bitsPerIndex)
{
    if (bitsPerIndex != 1 && bitsPerIndex != 2 && bitsPerIndex != 4 && bitsPerIndex != 8)
        throw std::invalid_argument("grey levels must take 1, 2, 4 or 8 bits");
    BgrPalette palette{};
    const unsigned top = (1u << bitsPerIndex) - 1;
    for (unsigned i = 0; i <= top; ++i) {
        const auto level = static_cast<uint8_t>(i * 255 / top);
        palette[i] = {level, level, level};
    }
    return palette;
}

void ExpandIndexedRow(const uint8_t* indexes, int bitsPerIndex, int width, const BgrPalette& palette,
                      uint8_t* bgr)
{
    if (bitsPerIndex != 1 && bitsPerIndex != 2 && bitsPerIndex != 4 && bitsPerIndex != 8)
        throw std::invalid_argument("palette indexes must take 1, 2, 4 or 8 bits");
    const int perByte = 8 / bitsPerIndex;
    const unsigned mask = (1u << bitsPerIndex) - 1;
    for (int x = 0; x < width; ++x, bgr += 3) {
        const int shift = 8 - bitsPerIndex * (x % perByte + 1);
        const unsigned index = (indexes[x / perByte] >> shift) & mask;
        bgr[0] = palette[index][0];
        bgr[1] = palette[index][1];
        bgr[2] = palette[index][2];
    }
}
