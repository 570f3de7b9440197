#pragma once
// A picture reduced to a smaller size by area averaging, for previews and
// stretched images: smooth where a plain stretch would drop pixels.

#include "framework/graphics/Bitmap.h"

#include <memory>

// The 24-bit pixels behind a graphic (a 24-bit opaque bitmap, or the decoded
// bitmap of a JPEG or another decoded picture), or nullptr when it has none
// to average.
TBitmap* PixelSourceOf(TGraphic* graphic);

// A 24-bit copy of the graphic at width x height, area-averaged; nullptr
// when the graphic has no pixels to average or the size is not a reduction
// (larger or equal in either direction, or the same size).
std::unique_ptr<TBitmap> ReducedBitmap(TGraphic& graphic, int width, int height);

// The graphic as a new 24-bit bitmap no larger than maxWidth x maxHeight:
// each side is the graphic's own, or the maximum where that is smaller.
// Pixels are area-averaged from the graphic's own pixels when it has them;
// other graphics (icons, metafiles) are drawn at that size on white. Nothing
// is made at the graphic's full size when that is larger.
std::unique_ptr<TBitmap> BoundedBitmap(TGraphic& graphic, int maxWidth, int maxHeight);
