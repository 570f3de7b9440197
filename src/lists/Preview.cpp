#include "lists/Preview.h"

#include "framework/BusyCursor.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "lists/ListTexts.h"
#include "core/FileNames.h"

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
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(graphic)) {
        // The box shows at most a few hundred pixels: decode only what it
        // needs (libjpeg's scaled decode), not the whole photograph.
        jpeg->SetScaleDenominator(
            PreviewScaleDenominator(width, height, std::max(view_.Image.Width(), 1), std::max(view_.Image.Height(), 1)));
        previewBitmap_->Assign(jpeg->Bitmap());
    } else {
        // Bitmaps are copied; icons and metafiles are drawn at their size.
        previewBitmap_->Assign(*graphic);
    }
    previewBitmap_->SetPixelFormat(TPixelFormat::pf24bit);
    pictureWidth_ = width;
    pictureHeight_ = height;
}

void TPreview::ShowSelectedImage(int index)
{
    std::string entry;
    {
        const TBusyCursor busy;
        previewBitmap_ = std::make_unique<TBitmap>();
        pictureWidth_ = pictureHeight_ = 0;
        entry = view_.PathList.Items().Strings(index);
        LoadPicture(entry);
        view_.Image.Picture().Assign(*previewBitmap_);
    }

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
