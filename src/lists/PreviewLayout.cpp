#include "lists/PreviewLayout.h"

#include "core/codec/PixelImage.h"
#include "core/imaging/PictureDrawer.h"
#include "core/imaging/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// value * to / from, rounded to nearest (halves up) for either sign.
int Scaled(int value, int to, int from)
{
    const int64_t numerator = 2 * int64_t{value} * to + from, denominator = 2 * int64_t{from};
    const int64_t quotient = numerator / denominator;
    return static_cast<int>(numerator % denominator < 0 ? quotient - 1 : quotient);
}

// A desktop rectangle, relative to the primary monitor's corner, scaled
// into the preview's screen; never empty, so a picture smaller than a
// preview pixel still shows as one.
TScreenRect ScaledRect(const TScreenRect& rect, const TScreenRect& primary, const TScreenRect& screen)
{
    TScreenRect scaled{Scaled(rect.Left, screen.Width(), primary.Width()),
                       Scaled(rect.Top, screen.Height(), primary.Height()),
                       Scaled(rect.Right, screen.Width(), primary.Width()),
                       Scaled(rect.Bottom, screen.Height(), primary.Height())};
    scaled.Right = std::max(scaled.Right, scaled.Left + 1);
    scaled.Bottom = std::max(scaled.Bottom, scaled.Top + 1);
    return scaled;
}

void FillRows(const PixelRowsView& rows, uint32_t colour)
{
    const uint8_t bgr[3] = {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
                            static_cast<uint8_t>(colour >> 16)};
    for (int y = 0; y < rows.Height; ++y)
        for (int x = 0; x < rows.Width; ++x)
            std::memcpy(rows.Row(y) + x * 3, bgr, 3);
}

// Resamples the part of `picture` that `draw` shows into `target`.
void DrawScaled(const PixelRowsView& picture, const TPictureDraw& draw, const PixelRowsView& target)
{
    TPictureDrawer drawer(picture.Width, picture.Height, TOrientation::Normal, {draw}, target);
    for (int y = drawer.FirstNeededRow(); y <= drawer.LastNeededRow(); ++y)
        drawer.TakeRow(y, picture.Row(y));
    drawer.Finish();
}

// The first tile made once (only what of it shows), then repeated.
void DrawTiles(const PixelRowsView& picture, const TPictureDraw& first, const PixelRowsView& screen)
{
    const int tileWidth = first.Picture.Width(), tileHeight = first.Picture.Height();
    PixelImage tile(first.Visible.Width(), first.Visible.Height());
    DrawScaled(picture, first, PixelRowsView{tile.Row(0), tile.Width(), tile.Height(), tile.Stride()});
    for (int y = 0; y < screen.Height; ++y) {
        const uint8_t* source = tile.Row(y % tileHeight);
        uint8_t* target = screen.Row(y);
        for (int x = 0; x < screen.Width; ++x)
            std::memcpy(target + x * 3, source + (x % tileWidth) * 3, 3);
    }
}

} // namespace

TScreenRect TPreviewFrame::Primary() const
{
    if (Monitors.empty() || Monitors.front().Empty())
        return {0, 0, std::max(BoxWidth, 1), std::max(BoxHeight, 1)};
    return Monitors.front();
}

TScreenRect TPreviewFrame::Screen() const
{
    const TScreenRect primary = Primary();
    const TScreenRect box{0, 0, std::max(BoxWidth, 1), std::max(BoxHeight, 1)};
    return PlacePicture(TWallpaperFit::Fit, primary.Width(), primary.Height(), box);
}

TPictureDraw TPreviewFrame::Draw(int pictureWidth, int pictureHeight) const
{
    pictureWidth = std::max(pictureWidth, 1), pictureHeight = std::max(pictureHeight, 1);
    const TScreenRect primary = Primary(), screen = Screen();
    TScreenRect placed;
    if (Fit == TWallpaperFit::Tile) {
        placed = {primary.Left, primary.Top, primary.Left + pictureWidth, primary.Top + pictureHeight};
    } else {
        // Span lays the picture over every monitor; the primary shows its part.
        const TScreenRect area = Fit == TWallpaperFit::Span ? VirtualScreen(Monitors) : primary;
        placed = PlacePicture(Fit, pictureWidth, pictureHeight, area.Empty() ? primary : area);
    }
    TPictureDraw draw;
    draw.Picture = ScaledRect(placed.Offset(-primary.Left, -primary.Top), primary, screen);
    draw.Visible = draw.Picture.Intersect({0, 0, screen.Width(), screen.Height()});
    return draw;
}

void TPreviewFrame::KeptSize(int pictureWidth, int pictureHeight, int& width, int& height) const
{
    pictureWidth = std::max(pictureWidth, 1), pictureHeight = std::max(pictureHeight, 1);
    const TPictureDraw draw = Draw(pictureWidth, pictureHeight);
    const double needed = std::max(static_cast<double>(draw.Picture.Width()) / pictureWidth,
                                   static_cast<double>(draw.Picture.Height()) / pictureHeight);
    const double bound =
        std::min(2.0 * std::max(BoxWidth, 1) / pictureWidth, 2.0 * std::max(BoxHeight, 1) / pictureHeight);
    const double scale = std::min({needed, bound, 1.0});
    width = std::clamp(static_cast<int>(std::ceil(pictureWidth * scale - 1e-9)), 1, pictureWidth);
    height = std::clamp(static_cast<int>(std::ceil(pictureHeight * scale - 1e-9)), 1, pictureHeight);
}

void ComposePreview(const PixelRowsView& picture, int pictureWidth, int pictureHeight,
                    const TPreviewFrame& frame, const PixelRowsView& screen)
{
    FillRows(screen, frame.Background);
    const TPictureDraw draw = frame.Draw(pictureWidth, pictureHeight);
    if (draw.Visible.Empty() || picture.Width < 1 || picture.Height < 1)
        return;
    if (frame.Fit == TWallpaperFit::Tile)
        DrawTiles(picture, draw, screen);
    else
        DrawScaled(picture, draw, screen);
}
