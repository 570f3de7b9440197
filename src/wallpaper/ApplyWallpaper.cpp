#include "wallpaper/ApplyWallpaper.h"

#include "core/ScopeExit.h"
#include "framework/BusyCursor.h"
#include "wallpaper/WallpaperFile.h"

namespace {

// The selected entry first, then the other monitors' pictures.
std::vector<std::string> EntriesToApply(const std::string& selectedEntry,
                                        const std::vector<std::string>& otherMonitors)
{
    std::vector<std::string> paths{selectedEntry};
    paths.insert(paths.end(), otherMonitors.begin(), otherMonitors.end());
    return paths;
}

} // namespace

bool ApplySelectedWallpaper(const WallpaperView& view, const TWallpaperSystem& system,
                            const std::vector<std::string>& otherMonitors)
{
    // Apply goes grey after every attempt, whether it succeeded or not.
    const ScopeExit greyApply([&view] { view.ApplyButton.SetEnabled(false); });
    // Nothing selected (an empty list): nothing to apply, and no error.
    if (!view.SelectedEntry)
        return false;
    const TBusyCursor busy;
    const int style = view.DisplayStyle.ItemIndex();
    return WallpaperFitForIndex(style) &&
           view.Current.Apply(EntriesToApply(*view.SelectedEntry, otherMonitors), style, system);
}

bool ApplySelectedWallpaperCentred(const std::optional<std::string>& selectedEntry,
                                   TCurrentWallpaper& current, const TWallpaperSystem& system,
                                   const std::vector<std::string>& otherMonitors)
{
    if (!selectedEntry)
        return false;
    return current.Apply(EntriesToApply(*selectedEntry, otherMonitors), CenterStyleIndex, system);
}
