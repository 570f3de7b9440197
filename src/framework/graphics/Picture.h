#pragma once
// A picture of any supported kind, chosen by the file's extension.

#include "framework/graphics/Graphic.h"

#include <memory>
#include <string>

class TBitmap;

class TPicture {
public:
    // "bmp", "jpg"/"jpeg"/"jpe"/"jfif", "png", "gif", "tif"/"tiff", "webp",
    // "ico", "emf"/"wmf" (case-insensitive); any other extension raises
    // "Unknown picture file extension (.%s)". On failure the picture keeps
    // what it held.
    void LoadFromFile(const std::string& fileName);
    void Clear() { graphic_.reset(); }

    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic) { graphic_ = std::move(graphic); }
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

private:
    std::unique_ptr<TGraphic> graphic_;
};

// The extension of a file name without its dot, as the picture class sees it.
std::string PictureExtension(const std::string& fileName);
