#pragma once
// A picture box painted by its parent. With Stretch the picture fills the
// whole box (aspect ratio not kept); a reduced picture is area-averaged, an
// enlarged one goes through the bitmap's halftone stretch. Without Stretch
// the picture sits at the top-left corner in its own size.

#include "framework/Control.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Picture.h"

#include <memory>
#include <string>

class TImage;

// The picture an image shows. Every change made through it repaints the
// image. A JPEG is decoded when it is given, so a bad stream fails there and
// not later in a paint.
class TImagePicture {
public:
    TImagePicture(const TImagePicture&) = delete;
    TImagePicture& operator=(const TImagePicture&) = delete;

    // Shows a copy of the bitmap; the caller keeps its own.
    void Assign(const TBitmap& bitmap);
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    void Clear();

    TGraphic* Graphic() const { return picture_.Graphic(); }
    int Width() const { return picture_.Width(); }
    int Height() const { return picture_.Height(); }
    bool Empty() const { return !Graphic() || Graphic()->Empty(); }

private:
    friend class TImage;
    explicit TImagePicture(TImage& image) : image_(image) {}
    void Changed();

    TImage& image_;
    TPicture picture_;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);

    TImagePicture& Picture() { return picture_; }
    const TImagePicture& Picture() const { return picture_; }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

protected:
    void Paint() override;

private:
    friend class TImagePicture;
    void PictureChanged();
    // The picture reduced to the box by area averaging, made once per
    // picture and box size; nullptr when the picture is not reduced or has
    // no pixels to average.
    TBitmap* ReducedPicture();

    TImagePicture picture_{*this};
    bool stretch_ = false;
    std::unique_ptr<TBitmap> reduced_;
};
