#pragma once
// Applying the selected entry of the list as the desktop wallpaper, as
// "Apply", the double click and the tray menu do.

#include "framework/stdctrls/ComboBox.h"
#include "wallpaper/DesktopWallpaper.h"
#include "wallpaper/RenderedWallpaper.h"

#include <optional>
#include <string>

struct WallpaperView {
    std::optional<std::string> SelectedEntry; // the path applied; none when no entry is selected
    TComboBox& DisplayStyle;                  // styleBox: 0 Center, 1 Tile, 2 Stretch, 3 Fit, 4 Fill, 5 Span
    TControl& ApplyButton;                    // applyButton: disabled after every apply
    TCurrentWallpaper& Current;               // remembers what was applied, to draw it again
};

// Applies the selected entry with the chosen display style (see
// ApplyWallpaper: every style but Tile drawn at the desktop's size), showing
// the hourglass meanwhile; "Apply" ends disabled whatever happened. With no
// style chosen, or no entry selected, nothing is applied. `otherMonitors` are the pictures of the
// other monitors, in order, when each monitor has its own. True when the
// desktop was given a wallpaper.
bool ApplySelectedWallpaper(const WallpaperView& view, const TWallpaperSystem& system,
                            const std::vector<std::string>& otherMonitors = {});

// Applies the selected entry centred, whatever style is chosen (nothing
// without a selected entry); true when the desktop was given a wallpaper.
bool ApplySelectedWallpaperCentred(const std::optional<std::string>& selectedEntry,
                                   TCurrentWallpaper& current, const TWallpaperSystem& system,
                                   const std::vector<std::string>& otherMonitors = {});
