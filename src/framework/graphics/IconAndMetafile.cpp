#include "framework/graphics/IconAndMetafile.h"

#include "core/Exceptions.h"
#include "framework/graphics/Canvas.h"
#include "platform/Files.h"
#include "platform/SystemError.h"

TIcon::~TIcon()
{
    if (handle_)
        DestroyIcon(handle_);
}

void TIcon::LoadFromFile(const std::string& fileName)
{
    HICON icon = static_cast<HICON>(LoadImageA(nullptr, fileName.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    if (!icon) {
        const DWORD error = GetLastError();
        if (GetFileAttributesA(fileName.c_str()) == INVALID_FILE_ATTRIBUTES)
            throw EFOpenError::CannotOpen(fileName, SystemErrorMessage(error));
        throw EInvalidGraphic::InvalidBitmap();
    }
    ICONINFO info{};
    GetIconInfo(icon, &info);
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
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
    HENHMETAFILE metafile = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
    if (!metafile) {
        // A Windows metafile: convert it to the enhanced format.
        metafile = SetWinMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data(), nullptr, nullptr);
    }
    if (!metafile)
        throw EInvalidGraphic::InvalidBitmap();
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile, sizeof header, &header);
    if (handle_)
        DeleteEnhMetaFile(handle_);
    handle_ = metafile;
    width_ = header.rclBounds.right - header.rclBounds.left;
    height_ = header.rclBounds.bottom - header.rclBounds.top;
}

void TMetafile::Draw(TCanvas& canvas, const RECT& dest)
{
    if (handle_)
        PlayEnhMetaFile(canvas.Handle(), handle_, &dest);
}
