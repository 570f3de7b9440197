#include "framework/dialogs/OpenPictureDialog.h"

#include "core/codec/PictureFormat.h"
#include "framework/dialogs/FileDialogText.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/stdctrls/ReducedBitmap.h"
#include "platform/WideText.h"

#include <algorithm>
#include <cmath>
#include <dlgs.h>

namespace {

const WORD kPreviewTextId = 1100;
const WORD kPreviewBoxId = 1101;
const char* const kNoPreview = "(None)";

// Dialog units. The stc32 placeholder marks where the standard controls go;
// the preview lies to its right, so the dialog widens by the preview's width
// and keeps its height (the placeholder is as tall as the template).
const int kTemplateWidth = 132, kTemplateHeight = 140;
const int kPlaceholderWidth = 10;
const int kPreviewLeft = 16, kPreviewWidth = 112;

// Each kind of picture the program reads, after the one entry that lists
// them all.
const char* const kKindFilters = "JPEG Image File (*.jpg;*.jpeg;*.jpe;*.jfif)|*.jpg;*.jpeg;*.jpe;*.jfif|"
                                 "Bitmaps (*.bmp)|*.bmp|PNG Image File (*.png)|*.png|"
                                 "GIF Image File (*.gif)|*.gif|TIFF Image File (*.tif;*.tiff)|*.tif;*.tiff|"
                                 "WebP Image File (*.webp)|*.webp";

const char* const kSystemPictures = "*.ico;*.emf;*.wmf";
const char* const kSystemPictureFilters =
    "Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";

std::string AllFilter(const std::string& caption, const std::string& patterns)
{
    return caption + " (" + patterns + ")|" + patterns + "|";
}

// Decodes a large JPEG at a fraction of its size when that still covers
// the preview: much quicker, and the preview is reduced anyway.
void DecodeSmallEnough(TGraphic& graphic, int width, int height)
{
    auto* jpeg = dynamic_cast<TJPEGImage*>(&graphic);
    if (!jpeg)
        return;
    for (int denominator : {8, 4, 2}) {
        if ((jpeg->Width() + denominator - 1) / denominator >= width &&
            (jpeg->Height() + denominator - 1) / denominator >= height) {
            jpeg->SetScaleDenominator(denominator);
            return;
        }
    }
}

} // namespace

std::string WallpaperPictureFilter()
{
    return AllFilter("All files", PictureFilePatterns()) + kKindFilters;
}

TOpenPictureDialog::TOpenPictureDialog(TComponent* owner)
    : TOpenDialog(owner), template_(WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE | DS_CONTROL | DS_3DLOOK, 0, 0,
                                    kTemplateWidth, kTemplateHeight, L"MS Shell Dlg", 8)
{
    template_.AddControl(kStaticClassAtom, stc32, SS_LEFT, 0, 0, kPlaceholderWidth, kTemplateHeight, L"");
    template_.AddControl(kStaticClassAtom, kPreviewTextId, SS_LEFT | SS_NOPREFIX | WS_VISIBLE, kPreviewLeft,
                         6, kPreviewWidth, 9, L"(None)");
    template_.AddControl(kStaticClassAtom, kPreviewBoxId, SS_OWNERDRAW | WS_VISIBLE, kPreviewLeft, 18,
                         kPreviewWidth, kPreviewWidth, L"");
    const std::string patterns = PictureFilePatterns() + ";" + kSystemPictures;
    SetFilter(AllFilter("All", patterns) + kKindFilters + "|" + kSystemPictureFilters);
}

void TOpenPictureDialog::ChildCreated(HWND child)
{
    child_ = child;
    ClearPreview();
}

void TOpenPictureDialog::DialogClosing()
{
    ClearPreview();
    child_ = nullptr;
}

void TOpenPictureDialog::SelectionChanged()
{
    ShowPreview(FirstChosenFile(CurrentFolder(), CurrentFileNameText()));
    TOpenDialog::SelectionChanged();
}

void TOpenPictureDialog::ClearPreview()
{
    preview_.reset();
    shownFile_.clear();
    previewFile_.clear();
    previewText_ = kNoPreview;
    if (child_) {
        SetDlgItemTextW(child_, kPreviewTextId, WideFromUtf8(previewText_).c_str());
        InvalidateRect(GetDlgItem(child_, kPreviewBoxId), nullptr, TRUE);
    }
}

SIZE TOpenPictureDialog::PreviewArea() const
{
    RECT box{};
    if (child_)
        GetClientRect(GetDlgItem(child_, kPreviewBoxId), &box);
    // Inside the one-pixel frame.
    return {std::max<LONG>(1, box.right - 2), std::max<LONG>(1, box.bottom - 2)};
}

void TOpenPictureDialog::ShowPreview(const std::wstring& fileName)
{
    // The same file again (a selection grown around it): nothing new to show.
    if (fileName == shownFile_)
        return;
    ClearPreview();
    shownFile_ = fileName;
    // A name that is not valid Unicode shows no preview (and cannot be
    // chosen).
    if (fileName.empty())
        return;
    try {
        previewFile_ = Utf8FromWide(fileName);
        TPicture picture;
        picture.LoadFromFile(previewFile_);
        TGraphic* graphic = picture.Graphic();
        if (graphic && !graphic->Empty()) {
            // Fit inside the box, keeping the proportions; never enlarged.
            const SIZE area = PreviewArea();
            const double scale = std::min({1.0, static_cast<double>(area.cx) / graphic->Width(),
                                           static_cast<double>(area.cy) / graphic->Height()});
            const int width = std::max(1, static_cast<int>(std::lround(graphic->Width() * scale)));
            const int height = std::max(1, static_cast<int>(std::lround(graphic->Height() * scale)));
            DecodeSmallEnough(*graphic, width, height);
            std::unique_ptr<TBitmap> reduced = ReducedBitmap(*graphic, width, height);
            if (!reduced) {
                reduced = std::make_unique<TBitmap>(width, height);
                reduced->Canvas().Brush().SetColor(clBtnFace);
                reduced->Canvas().FillRect({0, 0, width, height});
                reduced->Canvas().StretchDraw({0, 0, width, height}, *graphic);
            }
            preview_ = std::move(reduced);
            previewText_ = std::to_string(graphic->Width()) + " x " + std::to_string(graphic->Height());
        }
    } catch (const std::exception&) {
        // Not a picture we can show (or not a file at all): no preview.
        preview_.reset();
        previewText_ = kNoPreview;
    }
    if (child_) {
        SetDlgItemTextW(child_, kPreviewTextId, WideFromUtf8(previewText_).c_str());
        InvalidateRect(GetDlgItem(child_, kPreviewBoxId), nullptr, TRUE);
    }
}

bool TOpenPictureDialog::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.CtlID != kPreviewBoxId)
        return false;
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNSHADOW));
    if (preview_) {
        const int x = box.left + (box.right - box.left - preview_->Width()) / 2;
        const int y = box.top + (box.bottom - box.top - preview_->Height()) / 2;
        BitBlt(item.hDC, x, y, preview_->Width(), preview_->Height(), preview_->Canvas().Handle(), 0, 0,
               SRCCOPY);
    }
    return true;
}
