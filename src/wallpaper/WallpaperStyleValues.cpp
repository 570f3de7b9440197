#include "wallpaper/WallpaperStyleValues.h"

TWallpaperStyle RenderedStyleValues(TWallpaperFit fit, size_t monitorCount)
{
    if (fit == TWallpaperFit::Tile || monitorCount > 1)
        return {"0", "1"};
    switch (fit) {
    case TWallpaperFit::Stretch:
        return {"2", "0"};
    case TWallpaperFit::Fit:
        return {"6", "0"};
    case TWallpaperFit::Fill:
    case TWallpaperFit::Span:
        return {"10", "0"};
    default:
        return {"0", "0"};
    }
}
