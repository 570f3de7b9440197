#pragma once
// The arithmetic behind the styled controls' drawing: the gradient colour
// table, band edges, and border insets. Portable: no Windows header, so the
// host build tests it exactly.

#include <cstdint>
#include <vector>

struct RgbColor {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

// The colour table of a gradient of `bands` entries from `from` to `to`:
// per channel, step = (to - from) / (bands - 1) in floating point, entry i =
// from + i * step rounded to the nearest integer (halves to even), modulo
// 256. Entry 0 is `from`, the last entry `to`. Fewer than 2 bands: the table
// holds `from` once per band (there is no step to take).
std::vector<RgbColor> GradientColorTable(RgbColor from, RgbColor to, int bands);

// a * b / c computed in 64 bits and rounded to the nearest integer, halves
// away from zero; -1 when c is 0 (the platform's MulDiv).
int MulDivRounded(int a, int b, int c);

// Where band i of `bands` starts along a length: MulDiv(i, length, bands).
inline int BandStart(int band, int length, int bands)
{
    return MulDivRounded(band, length, bands);
}

struct InsetRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const InsetRect&, const InsetRect&) = default;
};

// The edges of a panel that carry a line, as bits of a TBoundLines.
struct TBoundLine {
    enum : uint8_t { Left = 1, Top = 2, Right = 4, Bottom = 8, All = Left | Top | Right | Bottom };
};
using TBoundLines = uint8_t;

// Moves every edge inward by the border width, then by the line width (one
// pixel at 96 DPI) on each side that has a bound line, when the lines are
// shown.
InsetRect ShrinkByBorder(int borderWidth, bool showBoundLines, TBoundLines boundLines, InsetRect rect,
                         int lineWidth = 1);
