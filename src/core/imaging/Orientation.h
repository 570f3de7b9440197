#pragma once
// How a picture is turned for display: the eight orientations a camera
// records in a JPEG's Exif data (tag 0x0112), and the mapping between the
// displayed picture and the stored one.
//
// Portable: no Windows header.

#include "core/codec/PixelRowsView.h"

// The Exif values: 1 as stored, 2 mirrored left-right, 3 turned half way,
// 4 mirrored top-bottom, 5 mirrored along the main diagonal (transposed),
// 6 turned a quarter clockwise, 7 mirrored along the other diagonal,
// 8 turned a quarter anticlockwise.
enum class TOrientation { Normal = 1, MirrorX, Turn180, MirrorY, Transpose, Turn90, Transverse, Turn270 };

// The orientation of an Exif value; anything outside 1..8 counts as Normal,
// as every viewer treats a damaged tag.
TOrientation OrientationFromExif(int value);

// True for the orientations that show the stored width as the height.
bool SwapsAxes(TOrientation orientation);

// Where a displayed pixel comes from in the stored picture: the mapping of
// displayed (x, y) to stored (x, y) for a displayed picture of
// DisplayedWidth x DisplayedHeight.
struct TOrientationMap {
    TOrientation Orientation;
    int DisplayedWidth;
    int DisplayedHeight;

    void StoredPoint(int x, int y, int& storedX, int& storedY) const;
};

// Copies `stored` into `displayed` turned or mirrored by `orientation`;
// displayed must have the displayed size (the stored one, swapped when
// SwapsAxes).
void OrientPixels(const PixelRowsView& stored, TOrientation orientation, const PixelRowsView& displayed);
