// Changing the wallpaper without holding up the window: "Apply", the double
// click, the tray's "Change Wallpaper", Next, Previous, the rotation's tick
// and the redraw after a display change each plan their change here, have
// it drawn on the worker thread (wallpaper/BackgroundChange.h) and finish
// it here when the drawing ends, unless a newer change came meanwhile.

#include "app/MainForm.h"

#include "core/Exceptions.h"
#include "framework/Application.h"
#include "platform/Dpi.h"
#include "wallpaper/JpegToBitmap.h"
#include "wallpaper/PictureToBitmap.h"
#include "wallpaper/WallpaperFile.h"

// What the worker leaves for the window's thread: the preview of the
// change's entry (a JPEG's reduced to the box from its one decode, any
// other picture as the preview reads it), or why it could not be read; and
// the file the desktop was given.
struct TMainForm::TDrawnChange {
    std::optional<PixelImage> Preview;
    int Width = 0;
    int Height = 0;
    TPreview::TLoaded Loaded;
    std::exception_ptr PreviewError;
    std::string Shown;
};

namespace {

// On the worker: decodes the JPEG at `path` once, at the scale the plan's
// wallpaper needs, reduces it for the preview, and keeps it for the
// wallpaper's drawing (or Tile's conversion) of the same file.
std::unique_ptr<TDecodedJpeg> DecodeForPreview(const TWallpaperPlan& plan, const std::string& path,
                                               const TPreviewFrame& frame, PixelImage& preview,
                                               const std::function<bool()>& stillWanted)
{
    auto picture = std::make_unique<TDecodedJpeg>(DecodeFirstPicture(plan, path, stillWanted));
    const PixelRows rows = picture->Rows();
    preview = TPreview::ReduceForPreview(
        PixelRowsView{rows.Row0, picture->Width, picture->Height, rows.Stride}, frame);
    return picture;
}

} // namespace

void TMainForm::ApplySelectedWallpaper()
{
    // Apply goes grey after every attempt, whether it succeeds or not.
    applyButton->SetEnabled(false);
    // The selected entry and the ones after it, whatever the rotation chose.
    chosenOtherMonitors_.reset();
    const int style = styleBox->ItemIndex();
    // Nothing selected (an empty list) or no style: nothing to apply, and
    // no error.
    if (listModel_.Selected() < 0 || !WallpaperFitForIndex(style))
        return;
    TChangeRequest request;
    request.Paths = {listModel_.Path(listModel_.Selected())};
    const std::vector<std::string> others = OtherMonitorPaths(style);
    request.Paths.insert(request.Paths.end(), others.begin(), others.end());
    request.StyleIndex = style;
    RequestChange(std::move(request));
}

void TMainForm::onChangeWallpaperClick(TObject*)
{
    // The selected entry centred, and the ones after it, whatever the
    // rotation chose; "Apply" stays as it is.
    chosenOtherMonitors_.reset();
    if (listModel_.Selected() < 0)
        return;
    RotationFollowsSelected(CenterStyleIndex);
    TChangeRequest request;
    request.Paths = {listModel_.Path(listModel_.Selected())};
    const std::vector<std::string> others = OtherMonitorPaths(CenterStyleIndex);
    request.Paths.insert(request.Paths.end(), others.begin(), others.end());
    request.StyleIndex = CenterStyleIndex;
    request.GreyApply = false;
    RequestChange(std::move(request));
}

void TMainForm::ChangeToCurrent(TChangeOrigin origin)
{
    applyButton->SetEnabled(false);
    const std::string entry = listModel_.Path(currentIndex);
    TChangeRequest request;
    request.Origin = origin;
    // The preview is read with the change, on its worker: a JPEG entry is
    // decoded once for its preview and its wallpaper. A failure to read it
    // is the change's error, reported as the change's are.
    request.PreviewIndex = currentIndex;
    request.PreviewRequest = preview_->NewRequest();
    request.FromHistory = std::exchange(chosenFromHistory_, 0);
    const int style = styleBox->ItemIndex();
    const std::vector<std::string> others = OtherMonitorPaths(style);
    request.Paths = {entry};
    request.Paths.insert(request.Paths.end(), others.begin(), others.end());
    request.StyleIndex = WallpaperFitForIndex(style) ? style : -1;
    RequestChange(std::move(request));
}

void TMainForm::RedrawWallpaper()
{
    const std::optional<TCurrentWallpaper::TRedraw> redraw =
        currentWallpaper_.RedrawNeeded(*services_.Desktop);
    if (!redraw) {
        redrawFailureReported_ = false;
        return;
    }
    TChangeRequest request;
    request.Origin = TChangeOrigin::Redraw;
    request.Paths = redraw->Paths;
    request.StyleIndex = redraw->StyleIndex;
    request.NoteShown = false;
    request.GreyApply = false;
    RequestChange(std::move(request));
}

void TMainForm::RequestChange(TChangeRequest request)
{
    applyAtLaunchPending_ = false;
    // Asked here: the desktop's monitors, colour and folders, as they are
    // when the change is asked for.
    const TWallpaperPlan plan = PlanWallpaper(request.Paths, request.StyleIndex, WallpaperSystem());
    if (plan.Empty() && request.PreviewIndex < 0) {
        if (request.StyleIndex >= 0)
            currentWallpaper_.Applied(request.Paths, request.StyleIndex, {});
        return;
    }
    auto drawn = std::make_shared<TDrawnChange>();
    TPreviewRead preview;
    if (request.PreviewIndex >= 0)
        preview = {request.Paths.front(), preview_->Frame(), &preview_->Files()};
    TBackgroundJob job;
    job.Draw = [plan, drawn, preview, system = WallpaperSystem()](TDrawing& drawing) {
        DrawChange(plan, preview, system, *drawn, drawing);
    };
    job.Ended = [this, request = std::move(request), plan, drawn](std::exception_ptr error) {
        FinishChange(request, plan, *drawn, error);
    };
    backgroundChange_->Request(std::move(job));
}

void TMainForm::DrawChange(const TWallpaperPlan& plan, const TPreviewRead& preview,
                           const TWallpaperSystem& system, TDrawnChange& drawn, TDrawing& drawing)
{
    // A change a newer one supersedes stops its decodes where it is: its
    // end is dropped, so nothing of it is shown or reported.
    const std::function<bool()> stillWanted = [&drawing] { return !drawing.Superseded(); };
    std::unique_ptr<TDecodedJpeg> picture;
    if (!preview.Path.empty()) {
        try {
            if (WallpaperKindOf(preview.Path) == TWallpaperKind::Jpeg) {
                PixelImage reduced;
                picture = DecodeForPreview(plan, preview.Path, preview.Frame, reduced, stillWanted);
                drawn.Width = picture->OwnWidth;
                drawn.Height = picture->OwnHeight;
                drawn.Preview = std::move(reduced);
            } else {
                TPreview::Load(*preview.Files, preview.Path, preview.Frame, stillWanted, drawn.Loaded);
            }
        } catch (...) {
            // Not drawn either: the window shows why, and the change
            // reports it.
            drawn.PreviewError = std::current_exception();
            return;
        }
    }
    if (plan.Empty())
        return;
    // Drawn, or for Tile converted, from the pixels already decoded. The
    // conversion takes long, and a newer change may come meanwhile: its
    // bitmap then replaces the desktop's file only if still wanted, as a
    // drawn wallpaper's does.
    DrawWallpaper(
        plan,
        [&picture, &stillWanted](const std::string& jpegPath, const std::string& bitmapPath) {
            if (picture && jpegPath == picture->Path)
                WriteBitmapFile(*picture, bitmapPath, stillWanted);
            else
                ConvertPictureToBitmap(jpegPath, bitmapPath, stillWanted);
        },
        stillWanted, picture.get());
    // The bitmap is complete. The wallpaper call tells every window of the
    // desktop and waits for each to take it: a hung window of another
    // program can hold it for as long as it hangs, so it is made here, not
    // on the window's thread. Once it is begun the change is no longer
    // superseded: it reached the desktop, and its end records it.
    if (drawing.Commit())
        drawn.Shown = ShowWallpaper(plan, system);
}

bool TMainForm::HandleChangeMessage(TMessage& message)
{
    if (message.Msg == PreviewReadMessage) {
        Application->Guarded([this, &message] { previewReading_->DrawingEnded(message.WParam); });
        return true;
    }
    if (message.Msg != TBackgroundChange::DrawingEndedMessage)
        return false;
    Application->Guarded([this, &message] { backgroundChange_->DrawingEnded(message.WParam); });
    return true;
}

bool TMainForm::EntryStillAt(int index, const std::string& path) const
{
    return index >= 0 && index < listModel_.Count() && listModel_.Path(index) == path;
}

void TMainForm::FinishChange(const TChangeRequest& request, const TWallpaperPlan& plan, TDrawnChange& drawn,
                             std::exception_ptr error)
{
    const std::string& entry = request.Paths.front();
    ShowChangePreview(request, drawn);
    if (request.GreyApply)
        applyButton->SetEnabled(false);
    if (drawn.PreviewError)
        error = drawn.PreviewError;
    const std::string& shown = drawn.Shown;
    if (error) {
        ReportChangeError(request, error);
        return;
    }
    if (request.StyleIndex < 0)
        return;
    currentWallpaper_.Applied(request.Paths, request.StyleIndex, shown);
    if (request.Origin == TChangeOrigin::Redraw)
        redrawFailureReported_ = false;
    if (request.NoteShown && !shown.empty())
        NoteShown(entry, {request.Paths.begin() + 1, request.Paths.end()}, request.FromHistory);
}

void TMainForm::ShowChangePreview(const TChangeRequest& request, TDrawnChange& drawn)
{
    // Only where its entry is still in the list where it was, and no other
    // picture was asked for since.
    if (request.PreviewIndex < 0 || !EntryStillAt(request.PreviewIndex, request.Paths.front()) ||
        !preview_->Newest(request.PreviewRequest))
        return;
    if (drawn.Preview) {
        preview_->ShowReducedImage(request.PreviewIndex, *drawn.Preview, drawn.Width, drawn.Height);
        return;
    }
    if (drawn.Loaded.Kept) {
        preview_->ShowLoadedImage(request.PreviewIndex, drawn.Loaded);
        return;
    }
    if (!drawn.PreviewError)
        return;
    try {
        std::rethrow_exception(drawn.PreviewError);
    } catch (const Exception& failure) {
        preview_->ShowFailure(request.PreviewIndex, failure.Message);
        nameList->Invalidate();
    } catch (...) {
        // Reported as the change's error; the box has nothing to say.
    }
}

void TMainForm::ReportChangeError(const TChangeRequest& request, std::exception_ptr error)
{
    switch (request.Origin) {
    case TChangeOrigin::User:
        // A box, through the handler of the message that finished it.
        std::rethrow_exception(error);
    case TChangeOrigin::Rotation:
        autoChange_->ReportTickError(request.Paths.front(), error);
        return;
    case TChangeOrigin::Redraw:
        // A picture that can no longer be drawn (its file gone) is reported
        // once, not at every display change after it.
        if (std::exchange(redrawFailureReported_, true))
            return;
        std::rethrow_exception(error);
    }
}

TPreviewFrame TMainForm::PreviewDesktop()
{
    TPreviewFrame frame;
    // A style not chosen shows the picture over the whole monitor.
    frame.Fit = WallpaperFitForIndex(styleBox->ItemIndex()).value_or(TWallpaperFit::Stretch);
    if (!services_.Desktop)
        return frame;
    // In physical pixels, as the wallpaper is drawn (see PlanWallpaper).
    frame.Monitors = [this] {
        const TPhysicalPixelsScope physicalPixels;
        return services_.Desktop->Monitors();
    }();
    frame.Background = services_.Desktop->BackgroundColor();
    return frame;
}

std::optional<std::string> TMainForm::SelectedEntry() const
{
    if (listModel_.Selected() < 0)
        return std::nullopt;
    return listModel_.Path(listModel_.Selected());
}
