#pragma once
// The colours the program's controls draw with. Without a contrast theme
// every control keeps its own colours. With one, they draw in the system's
// colours only: fills in the window colour (or the system colour they
// already have), text and borders in the text colour that goes with the
// fill, focus and selection in the highlight colour, disabled text in grey
// text. Whether a contrast theme is on is asked once per theme change, not
// on every paint.

#include "framework/graphics/Color.h"

#include <functional>
#include <utility>

class TColorScheme {
public:
    using ContrastQuery = std::function<bool()>;

    explicit TColorScheme(ContrastQuery query) : query_(std::move(query)) { Refresh(); }

    // Asks again whether a contrast theme is on (after the system told of a
    // change of its colours or settings).
    void Refresh() { contrast_ = query_ && query_(); }
    // Another source of the answer (tests fake a contrast theme), asked at
    // the next change.
    void SetContrastQuery(ContrastQuery query) { query_ = std::move(query); }
    bool Contrast() const { return contrast_; }

    // The fill of a control whose own colour is `own`.
    TColor Fill(TColor own) const;
    // Text (or a glyph) drawn on `fill`, whose own colour is `own`.
    TColor Text(TColor own, TColor fill) const;
    // A border or separator line on `fill`: drawn in the text colour.
    TColor Line(TColor own, TColor fill) const { return Text(own, fill); }
    // What marks the focused control, or a hot or pressed one.
    TColor Focus(TColor own) const { return contrast_ ? clHighlight : own; }
    // Text of a disabled control.
    TColor DisabledText(TColor own) const { return contrast_ ? clGrayText : own; }

private:
    ContrastQuery query_;
    bool contrast_ = false;
};
