#pragma once
// A rectangle of pixels, right and bottom edges excluded, as Windows gives
// monitors. Portable: no Windows header.

#include <algorithm>

struct TScreenRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    TScreenRect Offset(int x, int y) const { return {Left + x, Top + y, Right + x, Bottom + y}; }
    TScreenRect Intersect(const TScreenRect& other) const
    {
        return {std::max(Left, other.Left), std::max(Top, other.Top), std::min(Right, other.Right),
                std::min(Bottom, other.Bottom)};
    }
    friend bool operator==(const TScreenRect&, const TScreenRect&) = default;
};
