#pragma once
// A picture of any supported kind, chosen by the file's data (by its
// extension where the data announces no format).

#include "framework/graphics/Graphic.h"

#include <memory>
#include <string>

class TBitmap;

class TPicture {
public:
    // BMP, JPEG, PNG, GIF, TIFF and WebP data whatever the name; data of
    // none of these by the extension: "bmp", "jpg"/"jpeg"/"jpe"/"jfif",
    // "png", "gif", "tif"/"tiff", "webp" (reported broken in that format),
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
