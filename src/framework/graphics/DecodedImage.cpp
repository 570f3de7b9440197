#include "framework/graphics/DecodedImage.h"

#include "core/FileNames.h"
#include "core/codec/PictureInfo.h"
#include "framework/graphics/Color.h"
#include "platform/PictureFile.h"

void TDecodedImage::LoadFromFile(const std::string& fileName)
{
    LoadFromPictureBytes(TPictureBytes::OfFile(fileName), PictureFormatOfExtension(ExtractFileExt(fileName)));
}

void TDecodedImage::LoadFromPictureBytes(TPictureBytes bytes, PictureFormat named)
{
    const PictureInfo info = ReadPictureInfo(bytes.Data, bytes.Size, named);
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
        DecodePicture(bytes_.Data, bytes_.Size, request, named_);
        bitmap_ = std::move(decoded);
    }
    return *bitmap_;
}

void TDecodedImage::Draw(TCanvas& canvas, const RECT& dest)
{
    if (!Empty())
        Bitmap().Draw(canvas, dest);
}
