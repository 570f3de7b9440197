#pragma once
// A picture of any format DecodePicture reads (PNG, GIF, TIFF, WebP, and
// BMP or JPEG data under another name): keeps the file's bytes, checked and
// sized on loading, and decodes them into a 24-bit bitmap when first drawn
// or converted. Transparent pixels are laid over the desktop's colour, as
// the wallpaper made of the picture shows them.

#include "core/codec/PictureFormat.h"
#include "framework/graphics/Bitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

class TDecodedImage : public TGraphic {
public:
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Draw(TCanvas& canvas, const RECT& dest) override;
    // Reads the headers and checks the size against the memory limit, so a
    // picture that cannot be decoded fails here; on failure the image keeps
    // what it held.
    void LoadFromFile(const std::string& fileName) override;

    // The decoded picture.
    TBitmap& Bitmap();

private:
    std::vector<uint8_t> bytes_;
    PictureFormat named_ = PictureFormat::Unknown;
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<TBitmap> bitmap_;
};
