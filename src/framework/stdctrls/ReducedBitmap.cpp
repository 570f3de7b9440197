#include "framework/stdctrls/ReducedBitmap.h"

#include "framework/graphics/DecodedImage.h"
#include "framework/graphics/JpegImage.h"
#include "framework/stdctrls/AreaResample.h"

#include <algorithm>

TBitmap* PixelSourceOf(TGraphic* graphic)
{
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(graphic))
        return jpeg->Empty() ? nullptr : &jpeg->Bitmap();
    if (auto* decoded = dynamic_cast<TDecodedImage*>(graphic))
        return decoded->Empty() ? nullptr : &decoded->Bitmap();
    auto* bitmap = dynamic_cast<TBitmap*>(graphic);
    if (bitmap && !bitmap->Empty() && !bitmap->Transparent() && bitmap->PixelFormat() == TPixelFormat::Bits24)
        return bitmap;
    return nullptr;
}

std::unique_ptr<TBitmap> ReducedBitmap(TGraphic& graphic, int width, int height)
{
    if (width < 1 || height < 1)
        return nullptr;
    TBitmap* source = PixelSourceOf(&graphic);
    if (!source || width > source->Width() || height > source->Height() ||
        (width == source->Width() && height == source->Height()))
        return nullptr;
    auto reduced = std::make_unique<TBitmap>(width, height);
    GdiFlush(); // drawing into the source may still be queued
    AreaResample(
        {source->ScanLine(0), source->Width(), source->Height(), static_cast<ptrdiff_t>(source->RowBytes())},
        {reduced->ScanLine(0), width, height, static_cast<ptrdiff_t>(reduced->RowBytes())});
    return reduced;
}

std::unique_ptr<TBitmap> BoundedBitmap(TGraphic& graphic, int maxWidth, int maxHeight)
{
    if (graphic.Empty())
        return std::make_unique<TBitmap>();
    const int width = std::max(1, std::min(graphic.Width(), maxWidth));
    const int height = std::max(1, std::min(graphic.Height(), maxHeight));
    if (auto reduced = ReducedBitmap(graphic, width, height))
        return reduced;
    auto bitmap = std::make_unique<TBitmap>(width, height); // white
    if (TBitmap* pixels = PixelSourceOf(&graphic);
        pixels && pixels->Width() == width && pixels->Height() == height)
        bitmap->Assign(*pixels);
    else
        bitmap->Canvas().StretchDraw({0, 0, width, height}, graphic);
    bitmap->SetPixelFormat(TPixelFormat::Bits24);
    return bitmap;
}
