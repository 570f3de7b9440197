#include "wallpaper/ApplyWallpaper.h"

#include "core/ScopeExit.h"
#include "framework/BusyCursor.h"
#include "wallpaper/WallpaperFile.h"

namespace {

// The selected entry first, then the other monitors' pictures.
std::vector<std::string> EntriesToApply(TListBox& pathList, const std::vector<std::string>& otherMonitors)
{
    std::vector<std::string> paths{pathList.Items().Strings(pathList.ItemIndex())};
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
    if (view.PathList.ItemIndex() < 0)
        return false;
    const TBusyCursor busy;
    const int style = view.DisplayStyle.ItemIndex();
    return WallpaperFitForIndex(style) &&
           view.Current.Apply(EntriesToApply(view.PathList, otherMonitors), style, system);
}

bool ApplySelectedWallpaperCentred(TListBox& pathList, TCurrentWallpaper& current,
                                   const TWallpaperSystem& system,
                                   const std::vector<std::string>& otherMonitors)
{
    if (pathList.ItemIndex() < 0)
        return false;
    return current.Apply(EntriesToApply(pathList, otherMonitors), CenterStyleIndex, system);
}
