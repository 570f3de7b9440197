#include "framework/graphics/ColorScheme.h"

TColor TColorScheme::Fill(TColor own) const
{
    // A system colour already follows the theme; a colour of the program's
    // own (panel white, header grey) gives way to the window's.
    if (!contrast_ || IsSystemColor(own))
        return own;
    return clWindow;
}

TColor TColorScheme::Text(TColor own, TColor fill) const
{
    if (!contrast_)
        return own;
    switch (Fill(fill)) {
    case clBtnFace:
        return clBtnText;
    case clHighlight:
        return clHighlightText;
    case clInfoBk:
        return clInfoText;
    default:
        return clWindowText;
    }
}
