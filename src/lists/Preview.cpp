#include "lists/Preview.h"

#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "framework/BusyCursor.h"
#include "framework/WinControl.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/stdctrls/ReducedBitmap.h"
#include "lists/ListTexts.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

std::string DescribeBitmapSize(const TBitmap& bitmap)
{
    return DescribeSize(bitmap.Width(), bitmap.Height(), bitmap.HandleType() == TBitmapHandleType::DDB);
}

TPreviewFrame TPreview::Frame() const
{
    TPreviewFrame frame = view_.Desktop ? view_.Desktop() : TPreviewFrame{};
    frame.BoxWidth = std::max(view_.Image.Width(), 1);
    frame.BoxHeight = std::max(view_.Image.Height(), 1);
    return frame;
}

void TPreview::Load(IEntryFiles& files, const std::string& entry, const TPreviewFrame& frame,
                    const std::function<bool()>& stillWanted, TLoaded& loaded)
{
    TPicture picture;
    files.LoadPicture(picture, entry);
    TGraphic* graphic = picture.Graphic();
    const int width = graphic->Width(), height = graphic->Height();
    int keptWidth = 0, keptHeight = 0;
    frame.KeptSize(width, height, keptWidth, keptHeight);
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(graphic)) {
        // The box shows at most a few hundred pixels: decode only what it
        // needs (libjpeg's scaled decode), not the whole photograph.
        jpeg->SetScaleDenominator(PreviewScaleDenominator(width, height, keptWidth, keptHeight));
        jpeg->SetStillWanted(stillWanted);
    }
    // Only the picture at the size the preview needs is kept; the decoded
    // file goes when `picture` does, so a large picture is held once and
    // briefly.
    loaded.Kept = BoundedBitmap(*graphic, keptWidth, keptHeight);
    loaded.Width = width;
    loaded.Height = height;
}

void TPreview::RequestImage(int index, bool raiseFailure)
{
    const std::string entry = view_.List.Path(index);
    // The entry is the selected one at once: an apply meanwhile takes it.
    view_.List.Select(index);
    // A new entry asked for ends any note the total had, as a shown one does.
    WriteTotal();
    const uint64_t request = NewRequest();
    auto loaded = std::make_shared<TLoaded>();
    IEntryFiles& files = files_;
    auto read = [&files, entry, frame = Frame(), loaded](const std::function<bool()>& stillWanted) {
        Load(files, entry, frame, stillWanted, *loaded);
    };
    auto shown = [this, index, entry, request, raiseFailure, loaded](std::exception_ptr error) {
        ShowRequested(index, entry, request, raiseFailure, *loaded, error);
    };
    if (runner_) {
        runner_(std::move(read), std::move(shown));
        return;
    }
    std::exception_ptr error;
    try {
        const TBusyCursor busy;
        read({});
    } catch (...) {
        error = std::current_exception();
    }
    shown(error);
}

void TPreview::ShowRequested(int index, const std::string& entry, uint64_t request, bool raiseFailure,
                             TLoaded& loaded, std::exception_ptr error)
{
    // Shown only while its entry is where it was and still the selected
    // one, and no newer picture was asked for: a Next or a change meanwhile
    // shows another.
    if (!Newest(request) || index >= view_.List.Count() || view_.List.Path(index) != entry ||
        view_.List.Selected() != index)
        return;
    if (!error) {
        ShowKept(index, loaded);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const Exception& failure) {
        ShowFailureLabels(index, failure.Message);
        if (OnFailureShown)
            OnFailureShown();
        if (raiseFailure)
            throw;
    }
}

void TPreview::ShowLoadedImage(int index, TLoaded& loaded)
{
    ShowKept(index, loaded);
    WriteTotal();
}

void TPreview::ShowKept(int index, TLoaded& loaded)
{
    kept_ = std::move(loaded.Kept);
    pictureWidth_ = loaded.Width;
    pictureHeight_ = loaded.Height;
    // Laid out for the desktop and style as they are now.
    Compose(Frame());
    ShowInformation(index, view_.List.Path(index));
}

void TPreview::Compose(const TPreviewFrame& frame)
{
    auto composed = std::make_unique<TBitmap>();
    composed->SetPixelFormat(TPixelFormat::Bits24);
    composed->SetSize(frame.BoxWidth, frame.BoxHeight);
    // Around the monitor, the colour of the box's own panel.
    const TWinControl* panel = view_.Image.Parent();
    const uint32_t around = ColorToRGB(panel ? panel->Color() : clBtnFace);
    const uint8_t bgr[3] = {static_cast<uint8_t>(around >> 16), static_cast<uint8_t>(around >> 8),
                            static_cast<uint8_t>(around)};
    for (int y = 0; y < frame.BoxHeight; ++y)
        for (int x = 0; x < frame.BoxWidth; ++x)
            std::memcpy(composed->ScanLine(y) + x * 3, bgr, 3);
    const TScreenRect screen = frame.Screen();
    const PixelRowsView picture{kept_->ScanLine(0), kept_->Width(), kept_->Height(), kept_->RowBytes()};
    ComposePreview(picture, pictureWidth_, pictureHeight_, frame,
                   PixelRowsView{composed->ScanLine(screen.Top) + screen.Left * 3, screen.Width(),
                                 screen.Height(), composed->RowBytes()});
    previewBitmap_ = std::move(composed);
    view_.Image.Picture().Assign(*previewBitmap_);
}

void TPreview::Relayout(int index)
{
    if (!kept_ || kept_->Empty() || pictureWidth_ <= 0 || index < 0 || index >= view_.List.Count())
        return;
    const TPreviewFrame frame = Frame();
    Compose(frame);
    int keptWidth = 0, keptHeight = 0;
    frame.KeptSize(pictureWidth_, pictureHeight_, keptWidth, keptHeight);
    // Smaller than this style or box needs it: read the file again, off
    // the window's thread; a failure says so in the box, not in a box.
    if (keptWidth > kept_->Width() || keptHeight > kept_->Height())
        RequestImage(index);
}

void TPreview::ShowFailure(int index, const std::string& reason)
{
    ShowFailureLabels(index, reason);
    WriteTotal();
}

void TPreview::ShowFailureLabels(int index, const std::string& reason)
{
    const std::string entry = view_.List.Path(index);
    failed_.insert(entry);
    failureText_ = WithFullStop(reason);
    kept_.reset();
    pictureWidth_ = pictureHeight_ = 0;
    DrawFailure(ExtractFileName(entry));
    view_.Image.Picture().Assign(*previewBitmap_);
    view_.SizeLabel.SetVisible(false);
    view_.NameLabel.SetVisible(true);
    const std::string name = ExtractFileName(entry);
    view_.NameLabel.SetCaption(name);
    view_.NameLabel.SetHint(failureText_);
    view_.PathLabel.SetCaption(entry);
    view_.PathLabel.SetHint(entry);
    // The entry stays the selected one: "Apply" on it says why it fails.
    view_.ApplyButton.SetEnabled(true);
    view_.List.Select(index);
}

void TPreview::DrawFailure(const std::string& name)
{
    const int width = std::max(view_.Image.Width(), 1), height = std::max(view_.Image.Height(), 1);
    previewBitmap_ = std::make_unique<TBitmap>(width, height);
    TCanvas& canvas = previewBitmap_->Canvas();
    canvas.Brush().SetColor(clWindow);
    canvas.FillRect({0, 0, width, height});
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    canvas.Font().SetName("MS Sans Serif");
    canvas.Font().SetHeight(-11);
    canvas.Font().SetColor(clGrayText);
    // The name on one line, the reason below it, broken wherever it must be
    // (a path has no spaces to break at).
    RECT nameArea{6, 6, width - 6, height - 6};
    const int nameHeight = canvas.DrawText(name, nameArea, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    RECT reasonArea{6, 6 + nameHeight + 4, width - 6, height - 6};
    canvas.DrawText(failureText_, reasonArea, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void TPreview::WriteTotal()
{
    view_.TotalLabel.SetCaption(TotalFilesText(view_.List.Count()));
    view_.TotalLabel.SetHint("");
}

void TPreview::ShowNothing()
{
    previewBitmap_ = std::make_unique<TBitmap>();
    kept_.reset();
    pictureWidth_ = pictureHeight_ = 0;
    failureText_.clear();
    view_.Image.Picture().Clear();
    if (view_.List.Selected() < 0)
        view_.ApplyButton.SetEnabled(false);
}

namespace {

// Reduces 24-bit rows by a whole factor: every target pixel is the mean of
// the (up to) factor x factor block it covers, as a JPEG's scaled decode
// averages its blocks. The block's rows are first added up byte by byte
// into one row of column sums (a plain loop over whole rows, which the
// compiler turns into vector instructions: this pass touches every source
// byte), then each target pixel adds up its block's columns.
void BoxReduce(const PixelRowsView& source, int factor, const PixelRowsView& target)
{
    // 16-bit sums hold up to 257 rows of 255; the preview's factors are 2 to 8.
    if (factor < 1 || factor > 257)
        throw std::invalid_argument("reduction factor out of range");
    const size_t rowBytes = static_cast<size_t>(source.Width) * 3;
    std::vector<uint16_t> columnSums(rowBytes);
    for (int ty = 0; ty < target.Height; ++ty) {
        std::fill(columnSums.begin(), columnSums.end(), uint16_t{0});
        const int firstRow = ty * factor;
        const int rows = std::min(factor, source.Height - firstRow);
        uint16_t* const sums = columnSums.data();
        for (int sy = firstRow; sy < firstRow + rows; ++sy) {
            const uint8_t* const in = source.Pixels + source.Stride * static_cast<ptrdiff_t>(sy);
            for (size_t i = 0; i < rowBytes; ++i)
                sums[i] = static_cast<uint16_t>(sums[i] + in[i]);
        }
        uint8_t* out = target.Pixels + target.Stride * static_cast<ptrdiff_t>(ty);
        for (int tx = 0; tx < target.Width; ++tx) {
            const int columns = std::min(factor, source.Width - tx * factor);
            const uint16_t* column = sums + static_cast<size_t>(tx) * factor * 3;
            uint32_t b = 0, g = 0, r = 0;
            for (int i = 0; i < columns; ++i, column += 3) {
                b += column[0];
                g += column[1];
                r += column[2];
            }
            const auto count = static_cast<uint32_t>(rows * columns);
            out[tx * 3 + 0] = static_cast<uint8_t>((b + count / 2) / count);
            out[tx * 3 + 1] = static_cast<uint8_t>((g + count / 2) / count);
            out[tx * 3 + 2] = static_cast<uint8_t>((r + count / 2) / count);
        }
    }
}

} // namespace

PixelImage TPreview::ReduceForPreview(const PixelRowsView& pixels, const TPreviewFrame& frame)
{
    int keptWidth = 0, keptHeight = 0;
    frame.KeptSize(pixels.Width, pixels.Height, keptWidth, keptHeight);
    const int denominator = PreviewScaleDenominator(pixels.Width, pixels.Height, keptWidth, keptHeight);
    PixelImage reduced((pixels.Width + denominator - 1) / denominator,
                       (pixels.Height + denominator - 1) / denominator);
    BoxReduce(pixels, denominator,
              PixelRowsView{reduced.Row(0), reduced.Width(), reduced.Height(), reduced.Stride()});
    return reduced;
}

void TPreview::ShowDecodedImage(int index, const PixelRowsView& pixels)
{
    ShowReducedImage(index, ReduceForPreview(pixels, Frame()), pixels.Width, pixels.Height);
}

void TPreview::ShowReducedImage(int index, const PixelImage& reduced, int width, int height)
{
    std::string entry;
    {
        const TBusyCursor busy;
        previewBitmap_ = std::make_unique<TBitmap>();
        kept_.reset();
        pictureWidth_ = pictureHeight_ = 0;
        entry = view_.List.Path(index);
        TBitmap bitmap;
        bitmap.SetPixelFormat(TPixelFormat::Bits24);
        bitmap.SetSize(reduced.Width(), reduced.Height());
        const size_t rowBytes = static_cast<size_t>(reduced.Width()) * 3;
        for (int y = 0; y < reduced.Height(); ++y)
            std::memcpy(bitmap.ScanLine(y), reduced.Row(y), rowBytes);
        // Kept at the size the preview needs, as every other picture is.
        const TPreviewFrame frame = Frame();
        int keptWidth = 0, keptHeight = 0;
        frame.KeptSize(width, height, keptWidth, keptHeight);
        kept_ = BoundedBitmap(bitmap, keptWidth, keptHeight);
        pictureWidth_ = width;
        pictureHeight_ = height;
        Compose(frame);
    }
    ShowInformation(index, entry);
    WriteTotal();
}

void TPreview::EntryRenamed(int index)
{
    if (index != view_.List.Selected())
        return;
    const std::string& entry = view_.List.Path(index);
    const std::string name = ExtractFileName(entry);
    view_.NameLabel.SetCaption(name);
    if (failureText_.empty())
        view_.NameLabel.SetHint(name);
    view_.PathLabel.SetCaption(entry);
    view_.PathLabel.SetHint(entry);
}

void TPreview::ShowInformation(int index, const std::string& entry)
{
    failed_.erase(entry);
    failureText_.clear();
    view_.SizeLabel.SetVisible(true);
    view_.NameLabel.SetVisible(true);
    const std::string name = ExtractFileName(entry);
    view_.NameLabel.SetCaption(name);
    view_.NameLabel.SetHint(name);
    view_.SizeLabel.SetCaption(DescribeSize(pictureWidth_, pictureHeight_, false));
    view_.PathLabel.SetCaption(entry);
    view_.PathLabel.SetHint(entry);
    view_.ApplyButton.SetEnabled(true);
    view_.List.Select(index);
}
