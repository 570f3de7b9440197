#pragma once
// Drawing a picture into the wallpaper bitmap in each of its areas, as a
// display style lays it out: a JPEG straight from its file's bytes (decoded
// at the smallest DCT scale the largest place needs, turned as its Exif
// orientation says, its rows scaled as they come), or any picture already
// decoded.
//
// Portable: no Windows header.

#include "core/codec/PixelRowsView.h"
#include "core/imaging/Orientation.h"
#include "core/imaging/WallpaperLayout.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// The places a picture of that displayed size takes in `areas`.
std::vector<TPictureDraw> DrawsInAreas(TWallpaperFit fit, int displayedWidth, int displayedHeight,
                                       const std::vector<TScreenRect>& areas);

// Draws the decoded picture `stored`, shown turned by `orientation`, into
// each of `areas` of `canvas`.
void DrawDecodedPicture(const PixelRowsView& stored, TOrientation orientation, TWallpaperFit fit,
                        const std::vector<TScreenRect>& areas, const PixelRowsView& canvas);

// Draws a picture decoded upright at a reduced size (a JPEG at the scale
// JpegScaleForAreas chose) into each of `areas` of `canvas`, placed as a
// picture of its own size ownWidth x ownHeight: as DrawJpegPicture draws it.
void DrawScaledPicture(const PixelRowsView& decoded, int ownWidth, int ownHeight, TWallpaperFit fit,
                       const std::vector<TScreenRect>& areas, const PixelRowsView& canvas);

// The DCT scale (1, 2, 4 or 8) DrawJpegPicture decodes the JPEG data at for
// `areas`: the smallest picture that no place needs larger. Throws EJPEG.
int JpegScaleForAreas(const uint8_t* data, size_t size, TWallpaperFit fit,
                      const std::vector<TScreenRect>& areas);

// Draws the JPEG data into each of `areas` of `canvas`. Throws what
// DecodeJpeg throws (EDecodeAbandoned once `stillWanted` says no); the
// canvas may then hold part of the picture.
void DrawJpegPicture(const uint8_t* data, size_t size, TWallpaperFit fit,
                     const std::vector<TScreenRect>& areas, const PixelRowsView& canvas,
                     const std::function<bool()>& stillWanted = {});
