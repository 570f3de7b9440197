#include "FillFloor.h"

#include "core/codec/BmpCodec.h"
#include "core/codec/JpegDecoder.h"
#include "core/imaging/WallpaperLayout.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

int FillScaleDenom(const uint8_t* jpeg, size_t size, int screenWidth, int screenHeight)
{
    const JpegInfo info = ReadJpegInfo(jpeg, size);
    const TScreenRect placed = PlacePicture(TWallpaperFit::Fill, info.Width, info.Height,
                                            TScreenRect{0, 0, screenWidth, screenHeight});
    return JpegScaleDenomFor(info.Width, info.Height, placed.Width(), placed.Height());
}

ReferencePicture DecodeFillFloor(const uint8_t* jpeg, size_t size, int screenWidth, int screenHeight)
{
    return ReferenceDecode(jpeg, size, FillScaleDenom(jpeg, size, screenWidth, screenHeight));
}

void WriteFloorBitmap(const ReferencePicture& decoded, int screenWidth, int screenHeight,
                      const std::string& bitmapPath)
{
    // Kept between calls, as a program would keep its one screen buffer:
    // the floor pays for no fresh pages.
    static std::vector<uint8_t> screen;
    screen.resize(static_cast<size_t>(Dib24Bytes(screenWidth, screenHeight)));
    std::memcpy(screen.data(), decoded.Pixels.get(),
                std::min(screen.size(), decoded.Stride * decoded.Height));
    uint8_t header[54];
    MakeBmp24Header(screenWidth, screenHeight, header);
    std::FILE* file = std::fopen(bitmapPath.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot create " + bitmapPath);
    const bool written = std::fwrite(header, 1, sizeof header, file) == sizeof header &&
                         std::fwrite(screen.data(), 1, screen.size(), file) == screen.size();
    if (std::fclose(file) != 0 || !written)
        throw std::runtime_error("cannot write " + bitmapPath);
}

void WriteFillFloor(const uint8_t* jpeg, size_t size, int screenWidth, int screenHeight,
                    const std::string& bitmapPath)
{
    WriteFloorBitmap(DecodeFillFloor(jpeg, size, screenWidth, screenHeight), screenWidth, screenHeight,
                     bitmapPath);
}
