#pragma once
// A picture of any format DecodePicture reads (PNG, GIF, TIFF, WebP, and
// BMP or JPEG data under another name): keeps the file's bytes, checked and
// sized on loading (the file is mapped, not read: see TPictureBytes), and decodes them into a 24-bit bitmap
// when first drawn or converted. Transparent pixels are laid over the desktop's colour, as the wallpaper made
// of the picture shows them.

#include "core/codec/PictureFormat.h"
#include "framework/graphics/Bitmap.h"
#include "platform/MappedFile.h"

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
    // The same for bytes already at hand; `named` is the format the file's
    // name gives, for data that announces none.
    void LoadFromPictureBytes(TPictureBytes bytes, PictureFormat named);

    // The decoded picture.
    TBitmap& Bitmap();

private:
    TPictureBytes bytes_;
    PictureFormat named_ = PictureFormat::Unknown;
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<TBitmap> bitmap_;
};
