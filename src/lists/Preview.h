#pragma once
// Showing one entry of the list: the picture in the preview box, its name,
// size and path in the information labels, the total, and the list's
// selected entry moved onto it (which is what every apply reads).

#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/AreaResample.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "lists/EntryFiles.h"
#include "lists/ListModel.h"
#include "lists/PreviewLayout.h"
#include "lists/PreviewScale.h"

#include "core/codec/PixelImage.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

struct PreviewView {
    TListModel& List;      // the entries and the selected one
    TImage& Image;         // previewImage
    TLabel& SizeLabel;     // sizeLabel
    TLabel& NameLabel;     // nameLabel
    TLabel& PathLabel;     // pathLabel
    TLabel& TotalLabel;    // totalLabel
    TControl& ApplyButton; // applyButton
    // The desktop the preview shows (its monitors, colour and the display
    // style chosen); the box's size is the preview's own.
    std::function<TPreviewFrame()> Desktop;
};

// Runs `read` off the window's thread, then `shown` on it with what `read`
// raised, unless a newer request came meanwhile (`superseded` then turns
// true, and `shown` is dropped). Requests end in the order asked.
using TPreviewRunner = std::function<void(std::function<void(const std::atomic<bool>& superseded)> read,
                                          std::function<void(std::exception_ptr error)> shown)>;

class TPreview {
public:
    TPreview(PreviewView view, IEntryFiles& files) : view_(view), files_(files) {}

    // Where RequestImage reads its pictures; without one it reads them at
    // once.
    void SetRunner(TPreviewRunner runner) { runner_ = std::move(runner); }
    // Told when a requested picture could not be shown (its row is then
    // drawn greyed).
    std::function<void()> OnFailureShown;

    // The entries' files, as the preview reads them.
    IEntryFiles& Files() { return files_; }

    // Shows entry `index` of the list. On failure the preview shows
    // the failure instead (see ShowFailure) and the error is raised.
    void ShowSelectedImage(int index);
    // Selects entry `index` and shows it once its picture is read, off the
    // window's thread when there is a runner; the picture shown meanwhile
    // stays. A failure shows in the box and is not raised; an entry no
    // longer where it was when its picture comes is not shown.
    void RequestImage(int index);
    // Entry `index` cannot be shown: the box draws its name and `reason`
    // where the picture would be, the labels name it, it stays selected (an
    // apply of it reports its own error) and it is marked as failed until it
    // shows again.
    void ShowFailure(int index, const std::string& reason);
    // Empties the box; with nothing selected "Apply" is off.
    void ShowNothing();
    // Entry `index` now names its file by another path (the file was
    // renamed): when it is the one shown, its name and path say so at once.
    void EntryRenamed(int index);
    // The entry's last preview failed (its row is drawn greyed).
    bool HasFailed(const std::string& entry) const { return failed_.count(entry) != 0; }
    // What the box says about the entry that failed last; empty once a
    // picture shows.
    const std::string& FailureText() const { return failureText_; }

    // Shows entry `index`, a JPEG whose full-size pixels the caller has
    // already decoded (24-bit rows, top row first), so it is not read and
    // decoded a second time: the picture is reduced from those pixels, by
    // block averages, to the size the JPEG's scaled decode would give.
    void ShowDecodedImage(int index, const PixelRowsView& pixels);
    // The same in two steps, so that the reduction (which reads every
    // pixel) can run on another thread: the pixels reduced for `frame` (see
    // Frame), then shown as the picture of entry `index`, whose own size is
    // `width` x `height`.
    static PixelImage ReduceForPreview(const PixelRowsView& pixels, const TPreviewFrame& frame);
    void ShowReducedImage(int index, const PixelImage& reduced, int width, int height);
    // The desktop as the preview shows it now, with the box's size.
    TPreviewFrame Frame() const;

    // Draws the picture shown again for the desktop and style as they are
    // now: from the picture kept when it suffices, else read again (and
    // raising as ShowSelectedImage does). Nothing when no picture shows.
    void Relayout(int index);

    // The preview last shown (empty after a failed load), the size of the
    // box: the primary monitor with the picture laid out on it.
    // PreviewWidth and PreviewHeight give the file's own size.
    TBitmap* PreviewBitmap() const { return previewBitmap_.get(); }
    // The picture behind the preview, kept no larger than the preview
    // needs it (see TPreviewFrame::KeptSize).
    TBitmap* KeptPicture() const { return kept_.get(); }
    int PreviewWidth() const { return pictureWidth_; }
    int PreviewHeight() const { return pictureHeight_; }

private:
    void LoadPicture(const std::string& fileName);
    // A picture read for RequestImage: kept at the size the frame needs.
    struct TLoaded {
        std::unique_ptr<TBitmap> Kept;
        int Width = 0;
        int Height = 0;
    };
    static void Load(IEntryFiles& files, const std::string& entry, const TPreviewFrame& frame,
                     const std::function<bool()>& stillWanted, TLoaded& loaded);
    void ShowLoaded(int index, const std::string& entry, TLoaded& loaded, std::exception_ptr error);
    // Draws the kept picture into a new preview bitmap and shows it.
    void Compose(const TPreviewFrame& frame);
    // The labels, "Apply" and the selection, once a picture is in.
    void ShowInformation(int index, const std::string& entry);
    // ShowFailure without the total.
    void ShowFailureLabels(int index, const std::string& reason);
    void DrawFailure(const std::string& name);
    void WriteTotal();

    PreviewView view_;
    IEntryFiles& files_;
    TPreviewRunner runner_;
    std::unique_ptr<TBitmap> previewBitmap_;
    std::unique_ptr<TBitmap> kept_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    std::unordered_set<std::string> failed_;
    std::string failureText_;
};

// The size text of a bitmap: "( W x H ) pixels", "(DDB)" appended when the
// bitmap is device-dependent.
std::string DescribeBitmapSize(const TBitmap& bitmap);
