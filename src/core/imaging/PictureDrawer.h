#pragma once
// Draws one picture into the wallpaper bitmap at one or more places while
// its stored rows arrive, top first: each place gets the picture scaled to
// its rectangle, turned as its orientation says, and only the part that
// shows is made.
//
// Portable: no Windows header.

#include "core/codec/PixelImage.h"
#include "core/imaging/Orientation.h"
#include "core/imaging/Resampler.h"
#include "core/imaging/WallpaperLayout.h"

#include <memory>
#include <vector>

class TPictureDrawer {
public:
    // The stored picture's size (as the rows will come), its orientation,
    // the places in bitmap coordinates (displayed orientation) and the
    // bitmap's rows.
    TPictureDrawer(int storedWidth, int storedHeight, TOrientation orientation,
                   const std::vector<TPictureDraw>& draws, const PixelRowsView& canvas);

    // The stored rows the places are made of, first to last (last below
    // first when nothing shows): the others need not come.
    int FirstNeededRow() const;
    int LastNeededRow() const;

    // Takes stored row `y`, rows in order from 0.
    void TakeRow(int y, const uint8_t* row);

    // Puts turned places into the bitmap, once every row has come.
    void Finish();

private:
    struct TPlace {
        std::unique_ptr<TRowResampler> Resampler;
        // The stored-orientation window, turned into Target at the end;
        // empty when the picture is not turned and goes straight in.
        PixelImage Turned;
        PixelRowsView Target;
    };

    TOrientation orientation_;
    std::vector<TPlace> places_;
};

// The rectangle of a displayed window inside a picture of the displayed
// size, in stored coordinates.
TScreenRect StoredWindow(TOrientation orientation, int displayedWidth, int displayedHeight,
                         const TScreenRect& window);
