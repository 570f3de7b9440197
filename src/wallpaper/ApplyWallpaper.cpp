#include "wallpaper/ApplyWallpaper.h"

#include "framework/Application.h"
#include "wallpaper/WallpaperFile.h"

namespace {

const std::string& SelectedEntry(TListBox& pathList)
{
    return pathList.Items().Strings(pathList.ItemIndex());
}

}  // namespace

void ApplySelectedWallpaper(const WallpaperView& view, const TWallpaperSystem& system)
{
    Application->SetCursor(crHourGlass);
    try {
        if (const auto style = WallpaperStyleForIndex(view.DisplayStyle.ItemIndex()))
            SetDesktopWallpaper(SelectedEntry(view.PathList), style->WallpaperStyle, style->TileWallpaper, system);
    } catch (...) {
        Application->SetCursor(crDefault);
        view.ApplyButton.SetEnabled(false);
        throw;
    }
    Application->SetCursor(crDefault);
    view.ApplyButton.SetEnabled(false);
}

void ApplySelectedWallpaperCentred(TListBox& pathList, const TWallpaperSystem& system)
{
    SetDesktopWallpaper(SelectedEntry(pathList), "0", "0", system);
}
