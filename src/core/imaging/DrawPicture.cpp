#include "core/imaging/DrawPicture.h"

#include "core/codec/JpegDecoder.h"
#include "core/codec/JpegExif.h"
#include "core/imaging/PictureDrawer.h"

#include <memory>

std::vector<TPictureDraw> DrawsInAreas(TWallpaperFit fit, int displayedWidth, int displayedHeight,
                                       const std::vector<TScreenRect>& areas)
{
    std::vector<TPictureDraw> draws;
    for (const TScreenRect& area : areas)
        draws.push_back(DrawInArea(fit, displayedWidth, displayedHeight, area));
    return draws;
}

namespace {

// Draws the decoded picture `stored`, turned by `orientation`, into its
// places `draws`: only the rows they are made of are read.
void DrawRows(const PixelRowsView& stored, TOrientation orientation, const std::vector<TPictureDraw>& draws,
              const PixelRowsView& canvas)
{
    TPictureDrawer drawer(stored.Width, stored.Height, orientation, draws, canvas);
    for (int y = drawer.FirstNeededRow(); y <= drawer.LastNeededRow(); ++y)
        drawer.TakeRow(y, stored.Row(y));
    drawer.Finish();
}

// What a JPEG's drawing is decided from: its orientation, its places, and
// the DCT scale those need.
struct TJpegDrawing {
    TOrientation Orientation = TOrientation::Normal;
    std::vector<TPictureDraw> Draws;
    int ScaleDenom = 1;
};

TJpegDrawing PlanJpegDrawing(const uint8_t* data, size_t size, TWallpaperFit fit,
                             const std::vector<TScreenRect>& areas)
{
    TJpegDrawing drawing;
    drawing.Orientation = OrientationFromExif(ReadJpegExifOrientation(data, size));
    const bool swap = SwapsAxes(drawing.Orientation);
    const JpegInfo info = ReadJpegInfo(data, size);
    const int width = swap ? info.Height : info.Width, height = swap ? info.Width : info.Height;
    drawing.Draws = DrawsInAreas(fit, width, height, areas);
    // The scale is chosen in stored terms: the stored width becomes the
    // displayed height of a turned picture.
    int neededWidth = 0, neededHeight = 0;
    NeededPictureSize(drawing.Draws, neededWidth, neededHeight);
    if (swap)
        std::swap(neededWidth, neededHeight);
    drawing.ScaleDenom = JpegScaleDenomFor(info.Width, info.Height, neededWidth, neededHeight);
    return drawing;
}

} // namespace

void DrawDecodedPicture(const PixelRowsView& stored, TOrientation orientation, TWallpaperFit fit,
                        const std::vector<TScreenRect>& areas, const PixelRowsView& canvas)
{
    const bool swap = SwapsAxes(orientation);
    const int width = swap ? stored.Height : stored.Width, height = swap ? stored.Width : stored.Height;
    DrawRows(stored, orientation, DrawsInAreas(fit, width, height, areas), canvas);
}

void DrawScaledPicture(const PixelRowsView& decoded, int ownWidth, int ownHeight, TWallpaperFit fit,
                       const std::vector<TScreenRect>& areas, const PixelRowsView& canvas)
{
    DrawRows(decoded, TOrientation::Normal, DrawsInAreas(fit, ownWidth, ownHeight, areas), canvas);
}

int JpegScaleForAreas(const uint8_t* data, size_t size, TWallpaperFit fit,
                      const std::vector<TScreenRect>& areas)
{
    return PlanJpegDrawing(data, size, fit, areas).ScaleDenom;
}

void DrawJpegPicture(const uint8_t* data, size_t size, TWallpaperFit fit,
                     const std::vector<TScreenRect>& areas, const PixelRowsView& canvas,
                     const std::function<bool()>& stillWanted)
{
    const TJpegDrawing drawing = PlanJpegDrawing(data, size, fit, areas);
    JpegDecodeOptions options;
    options.ScaleDenom = drawing.ScaleDenom;
    options.StillWanted = stillWanted;

    std::unique_ptr<TPictureDrawer> drawer;
    JpegRowSink sink;
    sink.Start = [&](int decodedWidth, int decodedHeight) {
        drawer = std::make_unique<TPictureDrawer>(decodedWidth, decodedHeight, drawing.Orientation,
                                                  drawing.Draws, canvas);
        // Rows cut off above and below the screen (Fill, Span) are never made.
        return JpegRowSpan{drawer->FirstNeededRow(), drawer->LastNeededRow()};
    };
    sink.Rows = [&drawer](int first, int count, uint8_t* const* rows) {
        for (int i = 0; i < count; ++i)
            drawer->TakeRow(first + i, rows[i]);
    };
    DecodeJpegRows(data, size, options, sink);
    drawer->Finish();
}
