#include "wallpaper/DesktopWallpaper.h"

#include "core/Utf8.h"
#include "wallpaper/WallpaperFile.h"

namespace {

void WriteDesktopValues(IRegistryFactory& registryFactory, const std::string& bitmapPath,
                        const std::string& wallpaperStyle, const std::string& tileWallpaper)
{
    // The accessor closes the key when it goes, also when a write raises.
    const std::unique_ptr<IRegistryAccessor> registry =
        registryFactory.NewRegistry(TRegistryRoot::CurrentUser);
    if (!registry->OpenKey(DesktopKeyPath, false))
        return;
    registry->WriteString(WallpaperValueName, bitmapPath);
    registry->WriteString(WallpaperStyleValueName, wallpaperStyle);
    registry->WriteString(TileWallpaperValueName, tileWallpaper);
}

} // namespace

bool FitsWallpaperCall(const std::string& path)
{
    return Utf16FromUtf8Replacing(path).size() < WallpaperCallPathLimit;
}

std::string WallpaperBitmapPath(IDesktop& desktop)
{
    const std::string windowsDirectory = desktop.WindowsDirectory();
    if (desktop.FolderAcceptsNewFiles(windowsDirectory))
        return windowsDirectory + WallpaperBitmapSuffix;
    return desktop.UserDataFolder() + WallpaperBitmapName;
}

std::string SetDesktopWallpaper(const std::string& path, const std::string& wallpaperStyle,
                                const std::string& tileWallpaper, const TWallpaperSystem& system)
{
    std::string bitmapPath;
    switch (WallpaperKindOf(path)) {
    case TWallpaperKind::None:
        return {};
    case TWallpaperKind::Bitmap:
        if (FitsWallpaperCall(path)) {
            bitmapPath = path;
            break;
        }
        // The system refuses a longer name: the picture becomes the
        // program's own bitmap, as every other format does.
        [[fallthrough]];
    case TWallpaperKind::Jpeg:
    case TWallpaperKind::Picture:
        bitmapPath = WallpaperBitmapPath(system.Desktop);
        system.ConvertJpegToBitmap(path, bitmapPath);
        break;
    }
    WriteDesktopValues(system.Registry, bitmapPath, wallpaperStyle, tileWallpaper);
    system.Desktop.SetDeskWallpaper(bitmapPath);
    return bitmapPath;
}
