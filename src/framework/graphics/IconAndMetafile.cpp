#include "framework/graphics/IconAndMetafile.h"

#include "core/Exceptions.h"
#include "core/codec/PictureHeaders.h"
#include "core/codec/PixelBuffer.h"
#include "framework/graphics/Canvas.h"
#include "platform/Files.h"

#include <algorithm>
#include <memory>
#include <type_traits>

TIcon::~TIcon()
{
    if (handle_)
        DestroyIcon(handle_);
}

namespace {

// What the system holds while it makes an icon of a picture: the decoded
// 32-bit pixels, the icon's own 32-bit colour bitmap and its 1-bit mask.
constexpr int kIconLoadBitsPerPixel = 32 + 32 + 1;

struct MetafileDeleter {
    void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
using OwnedMetafile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, MetafileDeleter>;

} // namespace

void TIcon::LoadFromFile(const std::string& fileName)
{
    // The picture is chosen and its size checked here, from the file's own
    // headers, before the system decodes anything: a small file may claim
    // a picture of many gigabytes.
    const std::vector<uint8_t> bytes = ReadWholeFile(fileName);
    const IconImage& image = LargestIconImage(ReadIconImages(bytes.data(), bytes.size()));
    CheckPictureSize(image.Size.Width, image.Size.Height, kIconLoadBitsPerPixel);
    // Sizes 0, 0 without LR_DEFAULTSIZE: the picture's own size.
    HICON icon = CreateIconFromResourceEx(const_cast<uint8_t*>(bytes.data() + image.Offset),
                                          static_cast<DWORD>(image.Bytes), TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    if (!icon)
        throw EInvalidGraphic::InvalidBitmap();
    if (handle_)
        DestroyIcon(handle_);
    handle_ = icon;
    width_ = static_cast<int>(image.Size.Width);
    height_ = static_cast<int>(image.Size.Height);
}

void TIcon::Draw(TCanvas& canvas, const RECT& dest)
{
    if (handle_)
        DrawIconEx(canvas.Handle(), dest.left, dest.top, handle_, dest.right - dest.left, dest.bottom - dest.top, 0,
                   nullptr, DI_NORMAL);
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
    OwnedMetafile metafile(enhanced ? SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data()) : nullptr);
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
