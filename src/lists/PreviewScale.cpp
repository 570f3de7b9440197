#include "lists/PreviewScale.h"

#include <initializer_list>

int PreviewScaleDenominator(int width, int height, int boxWidth, int boxHeight)
{
    for (int denominator : {8, 4, 2}) {
        const int scaledWidth = (width + denominator - 1) / denominator;
        const int scaledHeight = (height + denominator - 1) / denominator;
        if (scaledWidth >= boxWidth && scaledHeight >= boxHeight)
            return denominator;
    }
    return 1;
}
