#include "framework/graphics/JpegImage.h"

#include "core/codec/JpegDecoder.h"
#include "core/codec/JpegExif.h"
#include "core/codec/PixelImage.h"
#include "platform/Files.h"

void TJPEGImage::LoadFromFile(const std::string& fileName)
{
    LoadFromBytes(ReadWholeFile(fileName));
}

void TJPEGImage::LoadFromBytes(std::vector<uint8_t> bytes)
{
    // Reading the header validates the stream before anything is replaced.
    const JpegInfo info = ReadJpegInfo(bytes.data(), bytes.size());
    orientation_ = OrientationFromExif(ReadJpegExifOrientation(bytes.data(), bytes.size()));
    bytes_ = std::move(bytes);
    const bool swap = SwapsAxes(orientation_);
    width_ = swap ? info.Height : info.Width;
    height_ = swap ? info.Width : info.Height;
    bitmap_.reset();
}

void TJPEGImage::SetScaleDenominator(int denominator)
{
    if (denominator != scaleDenominator_) {
        scaleDenominator_ = denominator;
        bitmap_.reset();
    }
}

TBitmap& TJPEGImage::Bitmap()
{
    if (!bitmap_) {
        auto decoded = std::make_unique<TBitmap>();
        JpegDecodeOptions options;
        options.ScaleDenom = scaleDenominator_;
        if (orientation_ == TOrientation::Normal) {
            DecodeJpeg(bytes_.data(), bytes_.size(), options, [&decoded](int width, int height) {
                decoded->SetSize(width, height);
                return PixelRows{decoded->ScanLine(0), decoded->RowBytes()};
            });
        } else {
            // A turned picture is decoded as stored, then copied upright.
            PixelImage stored;
            DecodeJpeg(bytes_.data(), bytes_.size(), options, stored.Allocator());
            const bool swap = SwapsAxes(orientation_);
            decoded->SetSize(swap ? stored.Height() : stored.Width(),
                             swap ? stored.Width() : stored.Height());
            OrientPixels(PixelRowsView{stored.Row(0), stored.Width(), stored.Height(), stored.Stride()},
                         orientation_,
                         PixelRowsView{decoded->ScanLine(0), decoded->Width(), decoded->Height(),
                                       decoded->RowBytes()});
        }
        bitmap_ = std::move(decoded);
    }
    return *bitmap_;
}

void TJPEGImage::Draw(TCanvas& canvas, const RECT& dest)
{
    if (!Empty())
        Bitmap().Draw(canvas, dest);
}
