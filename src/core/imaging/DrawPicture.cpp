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

void DrawDecodedPicture(const PixelRowsView& stored, TOrientation orientation, TWallpaperFit fit,
                        const std::vector<TScreenRect>& areas, const PixelRowsView& canvas)
{
    const bool swap = SwapsAxes(orientation);
    const int width = swap ? stored.Height : stored.Width, height = swap ? stored.Width : stored.Height;
    TPictureDrawer drawer(stored.Width, stored.Height, orientation, DrawsInAreas(fit, width, height, areas),
                          canvas);
    for (int y = 0; y < stored.Height; ++y)
        drawer.TakeRow(y, stored.Row(y));
    drawer.Finish();
}

void DrawJpegPicture(const uint8_t* data, size_t size, TWallpaperFit fit,
                     const std::vector<TScreenRect>& areas, const PixelRowsView& canvas,
                     const std::function<bool()>& stillWanted)
{
    const TOrientation orientation = OrientationFromExif(ReadJpegExifOrientation(data, size));
    const bool swap = SwapsAxes(orientation);
    const JpegInfo info = ReadJpegInfo(data, size);
    const int width = swap ? info.Height : info.Width, height = swap ? info.Width : info.Height;
    const std::vector<TPictureDraw> draws = DrawsInAreas(fit, width, height, areas);

    // The scale is chosen in stored terms: the stored width becomes the
    // displayed height of a turned picture.
    int neededWidth = 0, neededHeight = 0;
    NeededPictureSize(draws, neededWidth, neededHeight);
    if (swap)
        std::swap(neededWidth, neededHeight);
    JpegDecodeOptions options;
    options.ScaleDenom = JpegScaleDenomFor(info.Width, info.Height, neededWidth, neededHeight);
    options.StillWanted = stillWanted;

    std::unique_ptr<TPictureDrawer> drawer;
    JpegRowSink sink;
    sink.Start = [&](int decodedWidth, int decodedHeight) {
        drawer = std::make_unique<TPictureDrawer>(decodedWidth, decodedHeight, orientation, draws, canvas);
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
