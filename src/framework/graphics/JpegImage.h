#pragma once
// A JPEG picture: keeps the file's bytes (mapped, see TPictureBytes) and
// decodes them into a 24-bit bitmap when first drawn or converted.

#include "core/imaging/Orientation.h"
#include "framework/graphics/Bitmap.h"
#include "platform/MappedFile.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TJPEGImage : public TGraphic {
public:
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Draw(TCanvas& canvas, const RECT& dest) override;
    void LoadFromFile(const std::string& fileName) override;
    void LoadFromBytes(std::vector<uint8_t> bytes);
    // Reading the header validates the data before anything is replaced.
    void LoadFromPictureBytes(TPictureBytes bytes);

    // 1, 2, 4 or 8: decode at that fraction of the full size. The picture's
    // Width and Height stay the file's own.
    int ScaleDenominator() const { return scaleDenominator_; }
    void SetScaleDenominator(int denominator);
    // Asked while the picture is decoded; once it says no, the decode stops
    // with EDecodeAbandoned (see JpegDecodeOptions).
    void SetStillWanted(std::function<bool()> stillWanted) { stillWanted_ = std::move(stillWanted); }

    // The decoded picture (full size unless a scale is set).
    TBitmap& Bitmap();

private:
    TPictureBytes bytes_;
    // The displayed size: a picture its Exif data says to turn is shown
    // upright, so its width and height are swapped then.
    int width_ = 0;
    int height_ = 0;
    TOrientation orientation_ = TOrientation::Normal;
    int scaleDenominator_ = 1;
    std::function<bool()> stillWanted_;
    std::unique_ptr<TBitmap> bitmap_;
};
