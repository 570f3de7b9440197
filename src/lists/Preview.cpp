#include "lists/Preview.h"

#include "core/FileNames.h"
#include "framework/Application.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/stdctrls/ReducedBitmap.h"
#include "lists/ListTexts.h"

#include <algorithm>

std::string DescribeBitmapSize(const TBitmap& bitmap)
{
    return DescribeSize(bitmap.Width(), bitmap.Height(), bitmap.HandleType() == TBitmapHandleType::bmDDB);
}

void TPreview::LoadPicture(const std::string& fileName)
{
    TPicture picture;
    picture.LoadFromFile(fileName);
    TGraphic* graphic = picture.Graphic();
    const int width = graphic->Width(), height = graphic->Height();
    const int boxWidth = std::max(view_.Image.Width(), 1), boxHeight = std::max(view_.Image.Height(), 1);
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(graphic)) {
        // The box shows at most a few hundred pixels: decode only what it
        // needs (libjpeg's scaled decode), not the whole photograph.
        jpeg->SetScaleDenominator(PreviewScaleDenominator(width, height, boxWidth, boxHeight));
    }
    // Only the picture at the box's size is kept; the decoded file goes
    // when `picture` does, so a large picture is held once and briefly.
    previewBitmap_ = BoundedBitmap(*graphic, boxWidth, boxHeight);
    pictureWidth_ = width;
    pictureHeight_ = height;
}

void TPreview::ShowSelectedImage(int index)
{
    Application->SetCursor(crHourGlass);
    std::string entry;
    try {
        previewBitmap_ = std::make_unique<TBitmap>();
        pictureWidth_ = pictureHeight_ = 0;
        entry = view_.PathList.Items().Strings(index);
        LoadPicture(entry);
        view_.Image.Picture().Assign(*previewBitmap_);
    } catch (...) {
        Application->SetCursor(crDefault);
        throw;
    }
    Application->SetCursor(crDefault);

    view_.SizeLabel.SetVisible(true);
    view_.NameLabel.SetVisible(true);
    const std::string name = ExtractFileName(entry);
    view_.NameLabel.SetCaption(name);
    view_.NameLabel.SetHint(name);
    view_.SizeLabel.SetCaption(DescribeSize(pictureWidth_, pictureHeight_, false));
    view_.PathLabel.SetCaption(entry);
    view_.PathLabel.SetHint(entry);
    view_.TotalLabel.SetCaption(TotalFilesText(view_.PathList.Items().Count()));
    view_.ApplyButton.SetEnabled(true);
    view_.PathList.SetItemIndex(index);
}
