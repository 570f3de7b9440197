#include "BmpBuilder.h"

namespace codec_test {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

std::vector<uint8_t> BuildBmp(const BmpFields& fields)
{
    std::vector<uint8_t> header;
    if (fields.HeaderSize == 12) {
        Put32(header, 12);
        Put16(header, static_cast<uint32_t>(fields.Width));
        Put16(header, static_cast<uint32_t>(fields.Height));
        Put16(header, 1);
        Put16(header, fields.BitCount);
    } else {
        Put32(header, fields.HeaderSize);
        Put32(header, static_cast<uint32_t>(fields.Width));
        Put32(header, static_cast<uint32_t>(fields.Height));
        Put16(header, 1);
        Put16(header, fields.BitCount);
        Put32(header, fields.Compression);
        Put32(header, static_cast<uint32_t>(fields.Pixels.size()));
        Put32(header, 2835);
        Put32(header, 2835);
        Put32(header, fields.ColorsUsed);
        Put32(header, 0);
        if (fields.HeaderSize > 40) {
            for (size_t i = 0; i < 4; ++i)
                Put32(header, i < fields.Masks.size() ? fields.Masks[i] : 0);
            header.resize(fields.HeaderSize, 0);
            if (fields.HeaderSize >= 108)
                header[56] = 'B', header[57] = 'G', header[58] = 'R', header[59] = 's'; // sRGB tag
        } else {
            for (uint32_t mask : fields.Masks)
                Put32(header, mask);
        }
    }
    header.insert(header.end(), fields.Palette.begin(), fields.Palette.end());

    std::vector<uint8_t> file;
    if (fields.FileHeader) {
        const uint32_t offBits = fields.OffBits.value_or(static_cast<uint32_t>(14 + header.size()));
        const uint32_t realSize = static_cast<uint32_t>(14 + header.size() + fields.Pixels.size());
        file = {'B', 'M'};
        Put32(file, fields.FileSize.value_or(realSize));
        Put32(file, 0);
        Put32(file, offBits);
    }
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), fields.Pixels.begin(), fields.Pixels.end());
    return file;
}

std::vector<uint8_t> PackRows(int width, int height, int bitCount,
                              const std::function<uint32_t(int, int)>& value, bool topDown)
{
    const size_t stride = (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
    std::vector<uint8_t> bytes(stride * height, 0);
    for (int stored = 0; stored < height; ++stored) {
        const int y = topDown ? stored : height - 1 - stored;
        uint8_t* row = bytes.data() + stride * stored;
        for (int x = 0; x < width; ++x) {
            const uint32_t v = value(x, y);
            if (bitCount < 8) {
                const int perByte = 8 / bitCount;
                const int shift = 8 - bitCount * (x % perByte + 1);
                row[x / perByte] |= static_cast<uint8_t>(v << shift);
            } else {
                for (int b = 0; b < bitCount / 8; ++b)
                    row[x * bitCount / 8 + b] = static_cast<uint8_t>(v >> (8 * b));
            }
        }
    }
    return bytes;
}

std::vector<uint8_t> MakePalette(int count, const std::function<uint32_t(int)>& rgb)
{
    std::vector<uint8_t> palette;
    for (int i = 0; i < count; ++i)
        Put32(palette, rgb(i) & 0xFFFFFF); // B, G, R, 0
    return palette;
}

PixelImage MakePicture(int width, int height, const std::function<uint32_t(int, int)>& rgb)
{
    PixelImage picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t c = rgb(x, y);
            uint8_t* pixel = picture.Row(y) + 3 * x;
            pixel[0] = static_cast<uint8_t>(c);
            pixel[1] = static_cast<uint8_t>(c >> 8);
            pixel[2] = static_cast<uint8_t>(c >> 16);
        }
    return picture;
}

} // namespace codec_test
