#pragma once
// Scaling a 24-bit picture to another size while its rows arrive one by
// one, top first, as a decoder produces them: only the few rows a target row
// is made of are kept, so the whole source never has to be in memory.
//
// A reduction gives each target pixel the mean of the source area it covers
// (area averaging: partly covered source pixels count by their covered
// share). An enlargement interpolates bilinearly between the four nearest
// source pixels. Each axis decides on its own, so a picture narrowed and
// heightened at once gets both.
//
// Only a window of the target is made: a picture scaled past the edges of
// its monitor costs no more than the part that shows.
//
// Portable: no Windows header.

#include "core/codec/PixelRowsView.h"
#include "core/imaging/ScreenRect.h"

#include <cstdint>
#include <vector>

class TRowResampler {
public:
    // The source's size, the whole target's size, the part of the target to
    // make (inside 0,0-targetWidth,targetHeight, not empty) and the rows it
    // goes to (window's size).
    TRowResampler(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight,
                  const TScreenRect& window, const PixelRowsView& destination);

    // Takes source row `y`; rows come in order from 0, and each target row
    // is written once the last source row it needs has come.
    void TakeRow(int y, const uint8_t* row);

    // The source rows the window needs: the others may be left out.
    int FirstSourceRow() const { return down_.FirstNeeded(); }
    int LastSourceRow() const { return down_.LastNeeded(); }

    // One target index's source taps: weights in 1/16384, adding up to 16384.
    struct TAxis {
        std::vector<int> First;
        std::vector<int> Count;
        std::vector<int> Offset;
        std::vector<int16_t> Weight;
        int MaxCount = 1;

        int FirstNeeded() const { return First.front(); }
        int LastNeeded() const { return First.back() + Count.back() - 1; }
    };

private:
    void CombineRows(int windowRow);
    void EmitRow(int windowRow);

    TAxis across_;
    TAxis down_;
    PixelRowsView destination_;
    // The source columns the window reads start here; their B, G, R values
    // number columnValues_.
    int firstColumn_ = 0;
    size_t columnValues_ = 0;
    // The source rows the next target rows need, by source row modulo
    // their count (those columns only).
    std::vector<uint8_t> ring_;
    // The current target row combined down, at 7 bits below the point.
    std::vector<uint16_t> column_;
    // The taps across, all of the same count when few (0: they are not).
    int fixedTaps_ = 0;
    std::vector<int> fixedFirst_;
    std::vector<int16_t> fixedWeight_;
    int nextRow_ = 0;
};

// Weighs one axis of a resize from sourceSize to targetSize, for the target
// indexes first..first+count-1.
TRowResampler::TAxis WeighResizeAxis(int sourceSize, int targetSize, int first, int count);

// Scales the whole of `source` into `target` (the target's own size).
void ResamplePicture(const PixelRowsView& source, const PixelRowsView& target);
