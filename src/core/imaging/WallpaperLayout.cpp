#include "core/imaging/WallpaperLayout.h"

#include <cstdint>

namespace {

// a / b rounded to nearest, for a >= 0 and b > 0.
int64_t DivideRounded(int64_t a, int64_t b)
{
    return (a + b / 2) / b;
}

// The offset that centres `size` in `space`, rounded towards minus infinity
// so a picture one pixel wider than its area loses its extra column at the
// same side whatever the signs.
int CentreOffset(int space, int size)
{
    const int difference = space - size;
    return difference >= 0 ? difference / 2 : -((-difference + 1) / 2);
}

TScreenRect Centred(int width, int height, const TScreenRect& area)
{
    const int left = area.Left + CentreOffset(area.Width(), width);
    const int top = area.Top + CentreOffset(area.Height(), height);
    return {left, top, left + width, top + height};
}

} // namespace

std::optional<TWallpaperFit> WallpaperFitForIndex(int index)
{
    if (index < 0 || index > static_cast<int>(TWallpaperFit::Span))
        return std::nullopt;
    return static_cast<TWallpaperFit>(index);
}

TScreenRect PlacePicture(TWallpaperFit fit, int pictureWidth, int pictureHeight, const TScreenRect& area)
{
    const int64_t areaWidth = area.Width(), areaHeight = area.Height();
    switch (fit) {
    case TWallpaperFit::Stretch:
        return area;
    case TWallpaperFit::Fit:
    case TWallpaperFit::Fill:
    case TWallpaperFit::Span: {
        // Width-bound when the area is relatively narrower than the picture
        // (Fit), or relatively wider (Fill): compare the cross products.
        const bool areaNarrower = areaWidth * pictureHeight <= areaHeight * pictureWidth;
        const bool widthBound = fit == TWallpaperFit::Fit ? areaNarrower : !areaNarrower;
        int64_t width = areaWidth, height = areaHeight;
        if (widthBound)
            height = DivideRounded(int64_t{pictureHeight} * areaWidth, pictureWidth);
        else
            width = DivideRounded(int64_t{pictureWidth} * areaHeight, pictureHeight);
        return Centred(static_cast<int>(std::max<int64_t>(width, 1)),
                       static_cast<int>(std::max<int64_t>(height, 1)), area);
    }
    case TWallpaperFit::Center:
    case TWallpaperFit::Tile:
        break;
    }
    return Centred(pictureWidth, pictureHeight, area);
}

TScreenRect VirtualScreen(const std::vector<TScreenRect>& monitors)
{
    if (monitors.empty())
        return {};
    TScreenRect box = monitors.front();
    for (const TScreenRect& monitor : monitors)
        box = {std::min(box.Left, monitor.Left), std::min(box.Top, monitor.Top),
               std::max(box.Right, monitor.Right), std::max(box.Bottom, monitor.Bottom)};
    return box;
}

std::vector<TScreenRect> WallpaperAreas(TWallpaperFit fit, const std::vector<TScreenRect>& monitors)
{
    const TScreenRect screen = VirtualScreen(monitors);
    if (fit == TWallpaperFit::Span)
        return {screen.Offset(-screen.Left, -screen.Top)};
    std::vector<TScreenRect> areas;
    for (const TScreenRect& monitor : monitors)
        areas.push_back(monitor.Offset(-screen.Left, -screen.Top));
    return areas;
}

TPictureDraw DrawInArea(TWallpaperFit fit, int pictureWidth, int pictureHeight, const TScreenRect& area)
{
    TPictureDraw draw;
    draw.Picture = PlacePicture(fit, pictureWidth, pictureHeight, area);
    draw.Visible = draw.Picture.Intersect(area);
    return draw;
}

void NeededPictureSize(const std::vector<TPictureDraw>& draws, int& width, int& height)
{
    width = 1, height = 1;
    for (const TPictureDraw& draw : draws) {
        width = std::max(width, draw.Picture.Width());
        height = std::max(height, draw.Picture.Height());
    }
}

void WallpaperBitmapShift(const TScreenRect& virtualScreen, int& columns, int& rows)
{
    const auto modulo = [](int64_t value, int64_t size) {
        return static_cast<int>(((value % size) + size) % size);
    };
    columns = virtualScreen.Width() > 0 ? modulo(-int64_t{virtualScreen.Left}, virtualScreen.Width()) : 0;
    rows = virtualScreen.Height() > 0 ? modulo(-int64_t{virtualScreen.Top}, virtualScreen.Height()) : 0;
}
