#include "core/imaging/PictureDrawer.h"

#include <algorithm>
#include <climits>

TScreenRect StoredWindow(TOrientation orientation, int displayedWidth, int displayedHeight,
                         const TScreenRect& window)
{
    const TOrientationMap map{orientation, displayedWidth, displayedHeight};
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    map.StoredPoint(window.Left, window.Top, x0, y0);
    map.StoredPoint(window.Right - 1, window.Bottom - 1, x1, y1);
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1};
}

TPictureDrawer::TPictureDrawer(int storedWidth, int storedHeight, TOrientation orientation,
                               const std::vector<TPictureDraw>& draws, const PixelRowsView& canvas)
    : orientation_(orientation)
{
    for (const TPictureDraw& draw : draws) {
        if (draw.Visible.Empty())
            continue;
        TPlace place;
        place.Target =
            PixelRowsView{canvas.Row(draw.Visible.Top) + static_cast<ptrdiff_t>(draw.Visible.Left) * 3,
                          draw.Visible.Width(), draw.Visible.Height(), canvas.Stride};
        const TScreenRect window = draw.Visible.Offset(-draw.Picture.Left, -draw.Picture.Top);
        int targetWidth = draw.Picture.Width(), targetHeight = draw.Picture.Height();
        PixelRowsView destination = place.Target;
        TScreenRect storedWindow = window;
        if (orientation != TOrientation::Normal) {
            storedWindow = StoredWindow(orientation, targetWidth, targetHeight, window);
            if (SwapsAxes(orientation))
                std::swap(targetWidth, targetHeight);
            place.Turned = PixelImage(storedWindow.Width(), storedWindow.Height());
            destination = PixelRowsView{place.Turned.Row(0), place.Turned.Width(), place.Turned.Height(),
                                        place.Turned.Stride()};
        }
        place.Resampler = std::make_unique<TRowResampler>(storedWidth, storedHeight, targetWidth,
                                                          targetHeight, storedWindow, destination);
        places_.push_back(std::move(place));
    }
}

int TPictureDrawer::FirstNeededRow() const
{
    int first = INT_MAX;
    for (const TPlace& place : places_)
        first = std::min(first, place.Resampler->FirstSourceRow());
    return places_.empty() ? 0 : first;
}

int TPictureDrawer::LastNeededRow() const
{
    int last = -1;
    for (const TPlace& place : places_)
        last = std::max(last, place.Resampler->LastSourceRow());
    return last;
}

void TPictureDrawer::TakeRow(int y, const uint8_t* row)
{
    for (TPlace& place : places_)
        place.Resampler->TakeRow(y, row);
}

void TPictureDrawer::Finish()
{
    if (orientation_ == TOrientation::Normal)
        return;
    for (TPlace& place : places_) {
        const PixelRowsView turned{place.Turned.Row(0), place.Turned.Width(), place.Turned.Height(),
                                   place.Turned.Stride()};
        OrientPixels(turned, orientation_, place.Target);
    }
}
