#include "framework/graphics/JpegImage.h"

#include "core/codec/JpegDecoder.h"
#include "platform/Files.h"

void TJPEGImage::LoadFromFile(const std::string& fileName)
{
    LoadFromBytes(ReadWholeFile(fileName));
}

void TJPEGImage::LoadFromBytes(std::vector<uint8_t> bytes)
{
    // Reading the header validates the stream before anything is replaced.
    const JpegInfo info = ReadJpegInfo(bytes.data(), bytes.size());
    bytes_ = std::move(bytes);
    width_ = info.Width;
    height_ = info.Height;
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
        DecodeJpeg(bytes_.data(), bytes_.size(), options, [&decoded](int width, int height) {
            decoded->SetSize(width, height);
            return PixelRows{decoded->ScanLine(0), decoded->RowBytes()};
        });
        bitmap_ = std::move(decoded);
    }
    return *bitmap_;
}

void TJPEGImage::Draw(TCanvas& canvas, const RECT& dest)
{
    if (!Empty())
        Bitmap().Draw(canvas, dest);
}
