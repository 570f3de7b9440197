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
    if (const auto style = WallpaperStyleForIndex(view.DisplayStyle.ItemIndex()))
        SetDesktopWallpaper(SelectedEntry(view.PathList), style->WallpaperStyle, style->TileWallpaper,
                            system);
}

void ApplySelectedWallpaperCentred(TListBox& pathList, const TWallpaperSystem& system)
{
    SetDesktopWallpaper(SelectedEntry(pathList), "0", "0", system);
}
