#include "wallpaper/RenderedWallpaper.h"

#include "core/AsciiCase.h"
#include "core/FileNames.h"
#include "core/codec/BmpCodec.h"
#include "core/codec/PixelImage.h"
#include "core/imaging/DrawPicture.h"
#include "platform/Dpi.h"
#include "platform/Files.h"
#include "platform/MappedFile.h"
#include "platform/PictureFile.h"
#include "wallpaper/WallpaperStyleValues.h"

namespace {

// 0x00RRGGBB as 0x00BBGGRR, the order the decoders lay under transparency.
uint32_t SwapRedAndBlue(uint32_t color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

void DrawPictureFile(const std::string& path, TWallpaperFit fit, const std::vector<TScreenRect>& areas,
                     const PixelRowsView& canvas, uint32_t background,
                     const std::function<bool()>& stillWanted)
{
    // Mapped, not read: only the picture's own bytes are touched. The data
    // decides the decoder, whatever the file's name says.
    const TPictureBytes bytes = TPictureBytes::OfFile(path);
    const PictureFormat named = PictureFormatOfExtension(ExtractFileExt(path));
    if (DecidePictureFormat(bytes.Data, bytes.Size, named) == PictureFormat::Jpeg) {
        DrawJpegPicture(bytes.Data, bytes.Size, fit, areas, canvas, stillWanted);
        return;
    }
    // BMP and the other formats at their own size, transparency laid over
    // the desktop's colour as around the picture.
    PixelImage picture;
    PictureRequest request;
    request.Allocate = picture.Allocator();
    request.Background = SwapRedAndBlue(background);
    DecodePicture(bytes.Data, bytes.Size, request, named);
    DrawDecodedPicture(PixelRowsView{picture.Row(0), picture.Width(), picture.Height(), picture.Stride()},
                       TOrientation::Normal, fit, areas, canvas);
}

// The areas of `areas` that picture `picture` of `pictures` takes: with a
// picture per monitor they take turns.
std::vector<TScreenRect> AreasOfPicture(const std::vector<TScreenRect>& areas, size_t picture,
                                        size_t pictures)
{
    std::vector<TScreenRect> own;
    for (size_t area = picture; area < areas.size(); area += pictures)
        own.push_back(areas[area]);
    return own;
}

// A picture decoded by DecodeFirstPicture, in its areas: as the JPEG file
// itself would be drawn.
void DrawDecodedFirst(const TDecodedJpeg& decoded, TWallpaperFit fit, const std::vector<TScreenRect>& areas,
                      const PixelRowsView& canvas)
{
    // Only read: a view of rows has no read-only form.
    const PixelRows rows = const_cast<TDecodedJpeg&>(decoded).Rows();
    DrawScaledPicture(PixelRowsView{rows.Row0, decoded.Width, decoded.Height, rows.Stride}, decoded.OwnWidth,
                      decoded.OwnHeight, fit, areas, canvas);
}

void WriteDesktopValues(IRegistryFactory& registryFactory, const std::string& bitmapPath,
                        const TWallpaperStyle& style)
{
    const std::unique_ptr<IRegistryAccessor> registry =
        registryFactory.NewRegistry(TRegistryRoot::CurrentUser);
    if (!registry->OpenKey(DesktopKeyPath, false))
        return;
    registry->WriteString(WallpaperValueName, bitmapPath);
    registry->WriteString(WallpaperStyleValueName, style.WallpaperStyle);
    registry->WriteString(TileWallpaperValueName, style.TileWallpaper);
}

} // namespace

TWallpaperCanvas RenderWallpaper(const std::vector<std::string>& paths, TWallpaperFit fit,
                                 const std::vector<TScreenRect>& monitors, uint32_t background,
                                 const std::function<bool()>& stillWanted, const TDecodedJpeg* first)
{
    const TScreenRect screen = VirtualScreen(monitors);
    TWallpaperCanvas canvas(screen.Width(), screen.Height(), background);
    const std::vector<TScreenRect> areas = WallpaperAreas(fit, monitors);
    // One decode per picture, drawn into every area it has.
    const size_t pictures = std::min(paths.size(), areas.size());
    for (size_t picture = 0; picture < pictures; ++picture) {
        const std::vector<TScreenRect> own = AreasOfPicture(areas, picture, paths.size());
        if (picture == 0 && first != nullptr && first->FromJpegData && first->Path == paths[0])
            DrawDecodedFirst(*first, fit, own, canvas.Rows());
        else
            DrawPictureFile(paths[picture], fit, own, canvas.Rows(), background, stillWanted);
    }
    int columns = 0, rows = 0;
    WallpaperBitmapShift(screen, columns, rows);
    canvas.Rotate(columns, rows);
    return canvas;
}

void WriteWallpaperBitmap(const TWallpaperCanvas& canvas, const std::string& bitmapPath,
                          const std::function<bool()>& stillWanted)
{
    TAtomicFileWriter file = TAtomicFileWriter::CreateStream(bitmapPath);
    // Never half a bitmap on the desktop, but no wait for the disk either:
    // the file can always be drawn again from its pictures.
    file.SetFlushOnCommit(false);
    WriteBmp24Dib(canvas.Width(), canvas.Height(), canvas.Dib(), [&file](const void* bytes, size_t count) {
        file.Write(static_cast<const char*>(bytes), count);
    });
    // Not wanted any more: the writer's end removes the new file.
    if (stillWanted && !stillWanted())
        return;
    file.Commit();
}

size_t PicturesPerChange(int styleIndex, size_t monitorCount, bool perMonitor)
{
    const std::optional<TWallpaperFit> fit = WallpaperFitForIndex(styleIndex);
    if (!perMonitor || !fit || *fit == TWallpaperFit::Tile || *fit == TWallpaperFit::Span)
        return 1;
    return std::max<size_t>(monitorCount, 1);
}

TWallpaperPlan PlanWallpaper(const std::vector<std::string>& paths, int styleIndex,
                             const TWallpaperSystem& system)
{
    TWallpaperPlan plan;
    const std::optional<TWallpaperFit> fit = WallpaperFitForIndex(styleIndex);
    for (const std::string& path : paths)
        if (WallpaperKindOf(path) != TWallpaperKind::None)
            plan.Pictures.push_back(path);
    if (!fit || plan.Pictures.empty())
        return {};
    plan.Fit = *fit;
    if (*fit == TWallpaperFit::Tile) {
        // As SetDesktopWallpaper does it: a bitmap the wallpaper call can
        // name is handed over; any other picture is converted.
        const std::string& picture = plan.Pictures.front();
        plan.Drawn = WallpaperKindOf(picture) != TWallpaperKind::Bitmap || !FitsWallpaperCall(picture);
        plan.BitmapPath = plan.Drawn ? WallpaperBitmapPath(system.Desktop) : picture;
        plan.Values = {"0", "1"};
        return plan;
    }
    // The monitors in their physical pixels, as the manifest declares the
    // process; asked so on this thread too, so a host that loads the
    // program unaware (or a lost manifest) still gets a sharp wallpaper of
    // the desktop's true size rather than Windows' scaled-down rectangles.
    plan.Monitors = [&] {
        const TPhysicalPixelsScope physicalPixels;
        return system.Desktop.Monitors();
    }();
    plan.Background = system.Desktop.BackgroundColor();
    plan.BitmapPath = WallpaperBitmapPath(system.Desktop);
    plan.Drawn = true;
    plan.Values = RenderedStyleValues(*fit, plan.Monitors.size());
    return plan;
}

TDecodedJpeg DecodeFirstPicture(const TWallpaperPlan& plan, const std::string& path,
                                const std::function<bool()>& stillWanted)
{
    if (!plan.Drawn || plan.Fit == TWallpaperFit::Tile || plan.Pictures.front() != path)
        return DecodeJpegFile(path, stillWanted);
    const std::vector<TScreenRect> areas =
        AreasOfPicture(WallpaperAreas(plan.Fit, plan.Monitors), 0, plan.Pictures.size());
    return DecodeJpegFile(path, stillWanted, [&plan, &areas](const uint8_t* data, size_t size) {
        return JpegScaleForAreas(data, size, plan.Fit, areas);
    });
}

void DrawWallpaper(const TWallpaperPlan& plan, const TJpegToBitmapConverter& convert,
                   const std::function<bool()>& stillWanted, const TDecodedJpeg* first)
{
    if (!plan.Drawn)
        return;
    if (plan.Fit == TWallpaperFit::Tile) {
        if (!stillWanted || stillWanted())
            convert(plan.Pictures.front(), plan.BitmapPath);
        return;
    }
    const TWallpaperCanvas canvas =
        RenderWallpaper(plan.Pictures, plan.Fit, plan.Monitors, plan.Background, stillWanted, first);
    WriteWallpaperBitmap(canvas, plan.BitmapPath, stillWanted);
}

std::string ShowWallpaper(const TWallpaperPlan& plan, const TWallpaperSystem& system)
{
    WriteDesktopValues(system.Registry, plan.BitmapPath, plan.Values);
    system.Desktop.SetDeskWallpaper(plan.BitmapPath);
    return plan.BitmapPath;
}

std::string ApplyWallpaper(const std::vector<std::string>& paths, int styleIndex,
                           const TWallpaperSystem& system)
{
    const TWallpaperPlan plan = PlanWallpaper(paths, styleIndex, system);
    if (plan.Empty())
        return {};
    DrawWallpaper(plan, system.ConvertJpegToBitmap);
    return ShowWallpaper(plan, system);
}

bool TCurrentWallpaper::Apply(const std::vector<std::string>& paths, int styleIndex,
                              const TWallpaperSystem& system)
{
    return Applied(paths, styleIndex, ApplyWallpaper(paths, styleIndex, system));
}

bool TCurrentWallpaper::Applied(const std::vector<std::string>& paths, int styleIndex, std::string shown)
{
    paths_ = paths;
    styleIndex_ = styleIndex;
    if (shown.empty())
        return false;
    shown_ = std::move(shown);
    return true;
}

bool TCurrentWallpaper::StillShown(IDesktop& desktop) const
{
    return !shown_.empty() && SameIgnoringCase(desktop.CurrentWallpaper(), shown_);
}

std::optional<TCurrentWallpaper::TRedraw> TCurrentWallpaper::RedrawNeeded(IDesktop& desktop) const
{
    if (styleIndex_ < 0 || !StillShown(desktop))
        return std::nullopt;
    return TRedraw{paths_, styleIndex_};
}

void TCurrentWallpaper::Redraw(const TWallpaperSystem& system)
{
    if (const std::optional<TRedraw> redraw = RedrawNeeded(system.Desktop))
        Apply(redraw->Paths, redraw->StyleIndex, system);
}
