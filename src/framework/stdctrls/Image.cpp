#include "framework/stdctrls/Image.h"

#include "framework/graphics/JpegImage.h"
#include "framework/stdctrls/ReducedBitmap.h"

namespace {

// Decodes a JPEG now, so that its errors reach whoever set the picture.
void DecodeNow(TGraphic* graphic)
{
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(graphic); jpeg && !jpeg->Empty())
        jpeg->Bitmap();
}

} // namespace

void TImagePicture::Assign(const TBitmap& bitmap)
{
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(bitmap);
    picture_.SetGraphic(std::move(copy));
    Changed();
}

void TImagePicture::SetGraphic(std::unique_ptr<TGraphic> graphic)
{
    DecodeNow(graphic.get());
    picture_.SetGraphic(std::move(graphic));
    Changed();
}

void TImagePicture::Clear()
{
    picture_.Clear();
    Changed();
}

void TImagePicture::Changed()
{
    image_.PictureChanged();
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 105, 105);
}

void TImage::SetStretch(bool stretch)
{
    if (stretch_ != stretch) {
        stretch_ = stretch;
        Invalidate();
    }
}

void TImage::PictureChanged()
{
    reduced_.reset();
    Invalidate();
}

TBitmap* TImage::ReducedPicture()
{
    TGraphic* graphic = picture_.Graphic();
    if (!graphic)
        return nullptr;
    if (!reduced_ || reduced_->Width() != Width() || reduced_->Height() != Height())
        reduced_ = ReducedBitmap(*graphic, Width(), Height());
    return reduced_.get();
}

void TImage::Paint()
{
    TGraphic* graphic = picture_.Graphic();
    if (!graphic || graphic->Empty())
        return;
    if (!stretch_) {
        Canvas().Draw(0, 0, *graphic);
        return;
    }
    if (TBitmap* reduced = ReducedPicture())
        Canvas().Draw(0, 0, *reduced);
    else
        Canvas().StretchDraw(ClientRect(), *graphic);
}
