#include "core/imaging/Orientation.h"

#include <cstring>

TOrientation OrientationFromExif(int value)
{
    return value >= 1 && value <= 8 ? static_cast<TOrientation>(value) : TOrientation::Normal;
}

bool SwapsAxes(TOrientation orientation)
{
    return orientation >= TOrientation::Transpose;
}

void TOrientationMap::StoredPoint(int x, int y, int& storedX, int& storedY) const
{
    const int lastX = DisplayedWidth - 1, lastY = DisplayedHeight - 1;
    switch (Orientation) {
    case TOrientation::Normal:
        storedX = x, storedY = y;
        break;
    case TOrientation::MirrorX:
        storedX = lastX - x, storedY = y;
        break;
    case TOrientation::Turn180:
        storedX = lastX - x, storedY = lastY - y;
        break;
    case TOrientation::MirrorY:
        storedX = x, storedY = lastY - y;
        break;
    case TOrientation::Transpose:
        storedX = y, storedY = x;
        break;
    case TOrientation::Turn90:
        storedX = y, storedY = lastX - x;
        break;
    case TOrientation::Transverse:
        storedX = lastY - y, storedY = lastX - x;
        break;
    case TOrientation::Turn270:
        storedX = lastY - y, storedY = x;
        break;
    }
}

void OrientPixels(const PixelRowsView& stored, TOrientation orientation, const PixelRowsView& displayed)
{
    const TOrientationMap map{orientation, displayed.Width, displayed.Height};
    if (!SwapsAxes(orientation)) {
        // Whole rows stay rows: copy each, reversed when mirrored left-right.
        const bool reverse = orientation == TOrientation::MirrorX || orientation == TOrientation::Turn180;
        for (int y = 0; y < displayed.Height; ++y) {
            int storedX = 0, storedY = 0;
            map.StoredPoint(0, y, storedX, storedY);
            const uint8_t* from = stored.Row(storedY);
            uint8_t* to = displayed.Row(y);
            if (!reverse) {
                std::memcpy(to, from, static_cast<size_t>(displayed.Width) * 3);
                continue;
            }
            for (int x = 0; x < displayed.Width; ++x)
                std::memcpy(to + x * 3, from + (displayed.Width - 1 - x) * 3, 3);
        }
        return;
    }
    for (int y = 0; y < displayed.Height; ++y) {
        uint8_t* to = displayed.Row(y);
        for (int x = 0; x < displayed.Width; ++x) {
            int storedX = 0, storedY = 0;
            map.StoredPoint(x, y, storedX, storedY);
            std::memcpy(to + x * 3, stored.Row(storedY) + storedX * 3, 3);
        }
    }
}
