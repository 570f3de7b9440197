#include "wallpaper/ApplyWallpaper.h"

#include "core/ScopeExit.h"
#include "framework/BusyCursor.h"
#include "wallpaper/WallpaperFile.h"

namespace {

const std::string& SelectedEntry(TListBox& pathList)
{
    return pathList.Items().Strings(pathList.ItemIndex());
}

} // namespace

void ApplySelectedWallpaper(const WallpaperView& view, const TWallpaperSystem& system)
{
    // Apply goes grey after every attempt, whether it succeeded or not.
    const ScopeExit greyApply([&view] { view.ApplyButton.SetEnabled(false); });
    const TBusyCursor busy;
    const int style = view.DisplayStyle.ItemIndex();
    if (WallpaperFitForIndex(style))
        view.Current.Apply({SelectedEntry(view.PathList)}, style, system);
}

void ApplySelectedWallpaperCentred(TListBox& pathList, TCurrentWallpaper& current,
                                   const TWallpaperSystem& system)
{
    current.Apply({SelectedEntry(pathList)}, CenterStyleIndex, system);
}
