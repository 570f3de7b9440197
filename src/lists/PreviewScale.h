#pragma once
// How much of a JPEG the preview box needs. Portable: no Windows header.

// The JPEG scale denominator (8, 4, 2 or 1) that still gives a picture at
// least as large as the box in both directions.
int PreviewScaleDenominator(int width, int height, int boxWidth, int boxHeight);
