#pragma once
// Showing one entry of the list: the picture in the preview box, its name,
// size and path in the information labels, the total, and the path list's
// selection moved onto it (which is what every apply reads).

#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/AreaResample.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/ListBox.h"
#include "lists/PreviewScale.h"

#include <memory>

struct PreviewView {
    TListBox& PathList;    // pathList
    TImage& Image;         // previewImage
    TLabel& SizeLabel;     // sizeLabel
    TLabel& NameLabel;     // nameLabel
    TLabel& PathLabel;     // pathLabel
    TLabel& TotalLabel;    // totalLabel
    TControl& ApplyButton; // applyButton
};

class TPreview {
public:
    explicit TPreview(PreviewView view) : view_(view) {}

    // Shows entry `index` of the path list. On failure the error is raised
    // and the picture, labels, selection and "Apply" stay as they were.
    void ShowSelectedImage(int index);

    // Shows entry `index`, a JPEG whose full-size pixels the caller has
    // already decoded (24-bit rows, top row first), so it is not read and
    // decoded a second time: the picture is reduced from those pixels, by
    // block averages, to the size the JPEG's scaled decode would give.
    void ShowDecodedImage(int index, const PixelRowsView& pixels);

    // The picture last shown (empty after a failed load), at most as large
    // as the preview box: a larger picture is kept only reduced to the box.
    // PreviewWidth and PreviewHeight give the file's own size.
    TBitmap* PreviewBitmap() const { return previewBitmap_.get(); }
    int PreviewWidth() const { return pictureWidth_; }
    int PreviewHeight() const { return pictureHeight_; }

private:
    void LoadPicture(const std::string& fileName);
    void ReducePicture(const PixelRowsView& pixels, TBitmap& reduced);
    // The labels, the total, "Apply" and the selection, once a picture is in.
    void ShowInformation(int index, const std::string& entry);

    PreviewView view_;
    std::unique_ptr<TBitmap> previewBitmap_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
};

// The size text of a bitmap: "( W x H ) pixels", "(DDB)" appended when the
// bitmap is device-dependent.
std::string DescribeBitmapSize(const TBitmap& bitmap);
