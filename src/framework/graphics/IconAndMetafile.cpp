#include "framework/graphics/IconAndMetafile.h"

#include "core/Exceptions.h"
#include "core/codec/PictureHeaders.h"
#include "core/codec/PixelBuffer.h"
#include "framework/graphics/Canvas.h"
#include "platform/Files.h"
#include "platform/WideText.h"

#include <algorithm>
#include <memory>
#include <type_traits>

TIcon::~TIcon()
{
    if (handle_)
        DestroyIcon(handle_);
}

namespace {

// What the system holds while it makes an icon of a picture, as measured
// under Wine (about 12 bytes a pixel for a PNG picture): three 32-bit copies
// (decoded, converted, the icon's colour bitmap) and the 1-bit mask.
constexpr int kIconLoadBitsPerPixel = 3 * 32 + 1;

struct MetafileDeleter {
    void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
using OwnedMetafile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, MetafileDeleter>;

} // namespace

void TIcon::LoadFromFile(const std::string& fileName)
{
    // The file's largest picture is found and its size checked here, from
    // the file's own headers, before the system decodes anything: a small
    // file may claim a picture of many gigabytes. Whichever picture the
    // system then takes for that size is no larger.
    const std::vector<uint8_t> bytes = ReadWholeFile(fileName);
    const PictureSize size = LargestIconImage(ReadIconImages(bytes.data(), bytes.size())).Size;
    CheckPictureSize(size.Width, size.Height, kIconLoadBitsPerPixel);
    HICON icon = static_cast<HICON>(LoadImageW(nullptr, WideFromUtf8(fileName).c_str(), IMAGE_ICON,
                                               static_cast<int>(size.Width), static_cast<int>(size.Height),
                                               LR_LOADFROMFILE));
    if (!icon)
        throw EInvalidGraphic::InvalidBitmap();
    ICONINFO info{};
    GetIconInfo(icon, &info);
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    const int height = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    if (handle_)
        DestroyIcon(handle_);
    handle_ = icon;
    width_ = bitmap.bmWidth;
    height_ = height;
}

void TIcon::Draw(TCanvas& canvas, const RECT& dest)
{
    if (handle_)
        DrawIconEx(canvas.Handle(), dest.left, dest.top, handle_, dest.right - dest.left,
                   dest.bottom - dest.top, 0, nullptr, DI_NORMAL);
}

TMetafile::~TMetafile()
{
    if (handle_)
        DeleteEnhMetaFile(handle_);
}

void TMetafile::LoadFromFile(const std::string& fileName)
{
    const std::vector<uint8_t> bytes = ReadWholeFile(fileName);
    // An enhanced metafile's header says how large it draws at its own
    // size: checked before the system takes the file.
    PictureSize claimed;
    const bool enhanced = ReadEmfSize(bytes.data(), bytes.size(), claimed);
    if (enhanced)
        CheckPictureSize(claimed.Width, claimed.Height);
    OwnedMetafile metafile(enhanced ? SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data())
                                    : nullptr);
    if (!metafile) {
        // A Windows metafile: convert it to the enhanced format.
        metafile.reset(SetWinMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data(), nullptr, nullptr));
    }
    if (!metafile)
        throw EInvalidGraphic::InvalidBitmap();
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile.get(), sizeof header, &header);
    const int64_t width = std::max<int64_t>(0, int64_t{header.rclBounds.right} - header.rclBounds.left);
    const int64_t height = std::max<int64_t>(0, int64_t{header.rclBounds.bottom} - header.rclBounds.top);
    // A converted metafile's size is known only now; nothing of it is drawn yet.
    CheckPictureSize(width, height);
    if (handle_)
        DeleteEnhMetaFile(handle_);
    handle_ = metafile.release();
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
}

void TMetafile::Draw(TCanvas& canvas, const RECT& dest)
{
    if (handle_)
        PlayEnhMetaFile(canvas.Handle(), handle_, &dest);
}
