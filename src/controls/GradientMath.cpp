#include "controls/GradientMath.h"

#include <cmath>
#include <cstdlib>

namespace {

uint8_t Channel(double from, double step, int index)
{
    // llrint rounds halves to the even neighbour in the default rounding mode.
    const long long value = std::llrint(from + index * step);
    return static_cast<uint8_t>(((value % 256) + 256) % 256);
}

} // namespace

std::vector<RgbColor> GradientColorTable(RgbColor from, RgbColor to, int bands)
{
    std::vector<RgbColor> table;
    if (bands <= 0)
        return table;
    table.reserve(static_cast<size_t>(bands));
    if (bands == 1) {
        table.push_back(from);
        return table;
    }
    const double redStep = (double(to.Red) - from.Red) / (bands - 1);
    const double greenStep = (double(to.Green) - from.Green) / (bands - 1);
    const double blueStep = (double(to.Blue) - from.Blue) / (bands - 1);
    for (int i = 0; i < bands; ++i)
        table.push_back({Channel(from.Red, redStep, i), Channel(from.Green, greenStep, i),
                         Channel(from.Blue, blueStep, i)});
    return table;
}

int MulDivRounded(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    long long quotient = product / c;
    const long long remainder = product % c;
    // Round half away from zero: compare twice the remainder with the divisor.
    if (2 * std::llabs(remainder) >= std::llabs(static_cast<long long>(c)))
        quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    return static_cast<int>(quotient);
}

InsetRect ShrinkByBorder(int borderWidth, bool showBoundLines, TBoundLines boundLines, InsetRect rect,
                         int lineWidth)
{
    rect.Left += borderWidth;
    rect.Top += borderWidth;
    rect.Right -= borderWidth;
    rect.Bottom -= borderWidth;
    if (showBoundLines) {
        if (boundLines & TBoundLine::Left)
            rect.Left += lineWidth;
        if (boundLines & TBoundLine::Right)
            rect.Right -= lineWidth;
        if (boundLines & TBoundLine::Top)
            rect.Top += lineWidth;
        if (boundLines & TBoundLine::Bottom)
            rect.Bottom -= lineWidth;
    }
    return rect;
}
