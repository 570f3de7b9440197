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
#include <cstdint>
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
// raised, unless a newer request came meanwhile (`stillWanted` then says
// no, and `shown` is dropped). Requests end in the order asked.
using TPreviewRunner = std::function<void(std::function<void(const std::function<bool()>& stillWanted)> read,
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

    // Selects entry `index` and shows it once its picture is read, off the
    // window's thread when there is a runner; the picture shown meanwhile
    // stays. A failure shows in the box; with `raiseFailure` it is raised
    // too once the read ends (for a box: the user asked for the picture),
    // else it is not. A picture is not shown when its entry is no longer
    // where it was, nor when a newer request came meanwhile (see
    // NewRequest).
    void RequestImage(int index, bool raiseFailure = false);
    // Every picture asked for, here or with a wallpaper change that reads
    // it itself, takes a number: only the newest request's picture shows,
    // whichever thread read it, so pictures show in the order asked.
    uint64_t NewRequest() { return ++lastRequest_; }
    bool Newest(uint64_t request) const { return request == lastRequest_; }
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

    // Draws the picture shown again for the desktop, style and box as they
    // are now, from the picture kept; where that is smaller than they need,
    // entry `index` is read again as RequestImage reads it, and the drawing
    // made now shows meanwhile. Nothing when no picture shows.
    void Relayout(int index);

    // A picture read off the window's thread: kept at the size the frame
    // needs, and the file's own size.
    struct TLoaded {
        std::unique_ptr<TBitmap> Kept;
        int Width = 0;
        int Height = 0;
    };
    // Reads `entry` for `frame` (on any thread); a JPEG's decode stops
    // once `stillWanted` says no. Raises what the read raises.
    static void Load(IEntryFiles& files, const std::string& entry, const TPreviewFrame& frame,
                     const std::function<bool()>& stillWanted, TLoaded& loaded);
    // Shows `loaded` as the picture of entry `index`, laid out for the
    // desktop and style as they are now, and the total.
    void ShowLoadedImage(int index, TLoaded& loaded);

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
    // ShowLoadedImage without the total: a requested picture's total was
    // written when it was asked for, and a note may have joined it since.
    void ShowKept(int index, TLoaded& loaded);
    void ShowRequested(int index, const std::string& entry, uint64_t request, bool raiseFailure,
                       TLoaded& loaded, std::exception_ptr error);
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
    uint64_t lastRequest_ = 0;
};

// The size text of a bitmap: "( W x H ) pixels", "(DDB)" appended when the
// bitmap is device-dependent.
std::string DescribeBitmapSize(const TBitmap& bitmap);
