#include "core/imaging/WallpaperCanvas.h"

#include "core/codec/PixelBuffer.h"

#include <algorithm>
#include <cstring>

TWallpaperCanvas::TWallpaperCanvas(int width, int height, uint32_t background)
    : width_(std::max(width, 1)), height_(std::max(height, 1))
{
    CheckPictureSize(width_, height_);
    stride_ = static_cast<size_t>(Dib24Stride(static_cast<uint64_t>(width_)));
    pixels_.resize(stride_ * static_cast<size_t>(height_));
    const uint8_t colour[3] = {static_cast<uint8_t>(background), static_cast<uint8_t>(background >> 8),
                               static_cast<uint8_t>(background >> 16)};
    // One row is painted, the others copied from it; padding stays zero.
    uint8_t* first = pixels_.data();
    std::memset(first, 0, stride_);
    for (int x = 0; x < width_; ++x)
        std::memcpy(first + x * 3, colour, 3);
    for (int y = 1; y < height_; ++y)
        std::memcpy(first + stride_ * static_cast<size_t>(y), first, stride_);
}

PixelRowsView TWallpaperCanvas::Rows()
{
    return PixelRowsView{pixels_.data() + stride_ * static_cast<size_t>(height_ - 1), width_, height_,
                         -static_cast<ptrdiff_t>(stride_)};
}

void TWallpaperCanvas::Rotate(int columns, int rows)
{
    if (columns != 0) {
        const size_t shift = static_cast<size_t>(columns) * 3, used = static_cast<size_t>(width_) * 3;
        for (int y = 0; y < height_; ++y) {
            uint8_t* row = pixels_.data() + stride_ * static_cast<size_t>(y);
            std::rotate(row, row + shift, row + used);
        }
    }
    // Stored bottom-up: moving the picture up moves the stored rows the
    // other way round.
    if (rows != 0)
        std::rotate(pixels_.begin(), pixels_.begin() + static_cast<ptrdiff_t>(stride_ * (height_ - rows)),
                    pixels_.end());
}
