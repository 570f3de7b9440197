#include "framework/graphics/JpegImage.h"

#include "core/codec/JpegDecoder.h"
#include "core/codec/JpegExif.h"
#include "core/codec/PixelImage.h"

void TJPEGImage::LoadFromFile(const std::string& fileName)
{
    LoadFromPictureBytes(TPictureBytes::OfFile(fileName));
}

void TJPEGImage::LoadFromBytes(std::vector<uint8_t> bytes)
{
    LoadFromPictureBytes(TPictureBytes::OfBuffer(std::move(bytes)));
}

void TJPEGImage::LoadFromPictureBytes(TPictureBytes bytes)
{
    const JpegInfo info = ReadJpegInfo(bytes.Data, bytes.Size);
    orientation_ = OrientationFromExif(ReadJpegExifOrientation(bytes.Data, bytes.Size));
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
        options.StillWanted = stillWanted_;
        if (orientation_ == TOrientation::Normal) {
            DecodeJpeg(bytes_.Data, bytes_.Size, options, [&decoded](int width, int height) {
                decoded->SetSize(width, height);
                return PixelRows{decoded->ScanLine(0), decoded->RowBytes()};
            });
        } else {
            // A turned picture is decoded as stored, then copied upright.
            PixelImage stored;
            DecodeJpeg(bytes_.Data, bytes_.Size, options, stored.Allocator());
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
