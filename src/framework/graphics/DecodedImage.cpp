#include "framework/graphics/DecodedImage.h"

#include "core/FileNames.h"
#include "core/codec/PictureInfo.h"
#include "framework/graphics/Color.h"
#include "platform/Files.h"
#include "platform/PictureFile.h"

void TDecodedImage::LoadFromFile(const std::string& fileName)
{
    std::vector<uint8_t> bytes = ReadWholeFile(fileName);
    const PictureFormat named = PictureFormatOfExtension(ExtractFileExt(fileName));
    const PictureInfo info = ReadPictureInfo(bytes.data(), bytes.size(), named);
    CheckPictureMemory(info, kMaxDecodedBytes);
    bytes_ = std::move(bytes);
    named_ = named;
    width_ = info.Width;
    height_ = info.Height;
    bitmap_.reset();
}

TBitmap& TDecodedImage::Bitmap()
{
    if (!bitmap_) {
        auto decoded = std::make_unique<TBitmap>();
        PictureRequest request;
        request.Background = ColorToRGB(clBackground);
        request.Allocate = [&decoded](int width, int height) {
            decoded->SetSize(width, height);
            return PixelRows{decoded->ScanLine(0), decoded->RowBytes()};
        };
        DecodePicture(bytes_.data(), bytes_.size(), request, named_);
        bitmap_ = std::move(decoded);
    }
    return *bitmap_;
}

void TDecodedImage::Draw(TCanvas& canvas, const RECT& dest)
{
    if (!Empty())
        Bitmap().Draw(canvas, dest);
}
