#include "framework/graphics/Bitmap.h"

#include "core/Exceptions.h"
#include "core/codec/BmpCodec.h"
#include "platform/Files.h"
#include "platform/MappedFile.h"
#include "platform/WideText.h"

#include <cstring>

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format)
{
    SetSize(width, height);
}

TBitmap::~TBitmap()
{
    ReleaseCanvas();
}

void TBitmap::ReleaseCanvas()
{
    if (canvas_)
        canvas_->SetHandle(nullptr);
    if (dc_ && previousBitmap_)
        SelectObject(dc_->Get(), previousBitmap_);
    previousBitmap_ = nullptr;
}

gdi::Bitmap TBitmap::CreateHandle(int width, int height, TPixelFormat format, uint8_t** bits) const
{
    *bits = nullptr;
    if (width <= 0 || height <= 0)
        return gdi::Bitmap();
    // Every bitmap, whatever it is made from, passes the one size check
    // first (a screen-compatible bitmap has 32-bit pixels).
    CheckPictureSize(width, height, format == TPixelFormat::Device ? 32 : 24);
    if (format == TPixelFormat::Device) {
        gdi::ScreenDC screen;
        gdi::Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
        if (!bitmap)
            throw EInvalidGraphic::TooLarge(width, height);
        return bitmap;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 first in memory
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    gdi::Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap)
        throw EInvalidGraphic::TooLarge(width, height);
    *bits = static_cast<uint8_t*>(pixels);
    return bitmap;
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_ && (handle_ || width == 0 || height == 0))
        return;
    uint8_t* bits = nullptr;
    gdi::Bitmap fresh = CreateHandle(width, height, format_, &bits);
    if (fresh) {
        gdi::MemoryDC freshDC;
        gdi::ScopedSelect select(freshDC.Get(), fresh.Get());
        PatBlt(freshDC.Get(), 0, 0, width, height, WHITENESS);
        if (handle_) {
            TCanvas& old = Canvas();
            BitBlt(freshDC.Get(), 0, 0, std::min(width, width_), std::min(height, height_), old.Handle(), 0,
                   0, SRCCOPY);
        }
    }
    ReleaseCanvas();
    handle_ = std::move(fresh);
    bits_ = bits;
    width_ = width;
    height_ = height;
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == format_)
        return;
    if (!handle_) {
        format_ = format;
        return;
    }
    uint8_t* bits = nullptr;
    gdi::Bitmap fresh = CreateHandle(width_, height_, format, &bits);
    {
        gdi::MemoryDC freshDC;
        gdi::ScopedSelect select(freshDC.Get(), fresh.Get());
        BitBlt(freshDC.Get(), 0, 0, width_, height_, Canvas().Handle(), 0, 0, SRCCOPY);
    }
    ReleaseCanvas();
    handle_ = std::move(fresh);
    bits_ = bits;
    format_ = format;
}

uint8_t* TBitmap::ScanLine(int y)
{
    if (!bits_ || y < 0 || y >= height_)
        throw EInvalidGraphic::ScanLineOutOfRange();
    GdiFlush(); // let GDI finish drawing before the pixels are touched directly
    return bits_ + static_cast<size_t>(y) * RowBytes();
}

TCanvas& TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TCanvas>();
    if (!dc_)
        dc_ = std::make_unique<gdi::MemoryDC>();
    if (!previousBitmap_ && handle_) {
        previousBitmap_ = SelectObject(dc_->Get(), handle_.Get());
        canvas_->SetHandle(dc_->Get());
    } else if (!handle_) {
        canvas_->SetHandle(dc_->Get());
    }
    return *canvas_;
}

void TBitmap::Assign(const TBitmap& source)
{
    if (&source == this)
        return;
    ReleaseCanvas();
    handle_.Reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    format_ = source.format_;
    transparentColor_ = source.transparentColor_;
    SetTransparent(source.Transparent());
    SetSize(source.width_, source.height_);
    if (handle_) {
        TBitmap& mutableSource = const_cast<TBitmap&>(source);
        BitBlt(Canvas().Handle(), 0, 0, width_, height_, mutableSource.Canvas().Handle(), 0, 0, SRCCOPY);
    }
}

void TBitmap::Assign(TGraphic& source)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(&source)) {
        Assign(*bitmap);
        return;
    }
    ReleaseCanvas();
    handle_.Reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    format_ = TPixelFormat::Bits24;
    SetSize(source.Width(), source.Height());
    if (handle_) {
        RECT all{0, 0, width_, height_};
        source.Draw(Canvas(), all);
    }
}

TColor TBitmap::TransparentColor()
{
    if (transparentColor_ != clDefault)
        return transparentColor_;
    if (Empty())
        return clWhite;
    return static_cast<TColor>(GetPixel(Canvas().Handle(), 0, height_ - 1));
}

void TBitmap::Draw(TCanvas& canvas, const RECT& dest)
{
    if (Empty())
        return;
    const int destWidth = dest.right - dest.left, destHeight = dest.bottom - dest.top;
    HDC source = Canvas().Handle();
    if (Transparent()) {
        // Gdi32's own export, not msimg32's TransparentBlt: msimg32 is not
        // one of the system's known DLLs, so a copy of it beside the program
        // would be loaded instead of the system's.
        GdiTransparentBlt(canvas.Handle(), dest.left, dest.top, destWidth, destHeight, source, 0, 0, width_,
                          height_, ColorToRGB(TransparentColor()));
    } else if (destWidth == width_ && destHeight == height_) {
        BitBlt(canvas.Handle(), dest.left, dest.top, width_, height_, source, 0, 0, SRCCOPY);
    } else {
        // Halftone averages the source pixels; a reduced picture stays smooth.
        const int oldMode = SetStretchBltMode(canvas.Handle(), HALFTONE);
        POINT oldOrigin;
        SetBrushOrgEx(canvas.Handle(), 0, 0, &oldOrigin);
        StretchBlt(canvas.Handle(), dest.left, dest.top, destWidth, destHeight, source, 0, 0, width_, height_,
                   SRCCOPY);
        SetBrushOrgEx(canvas.Handle(), oldOrigin.x, oldOrigin.y, nullptr);
        SetStretchBltMode(canvas.Handle(), oldMode);
    }
}

uint8_t* TBitmap::PrepareDib(int width, int height)
{
    ReleaseCanvas();
    handle_.Reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    format_ = TPixelFormat::Bits24;
    uint8_t* bits = nullptr;
    handle_ = CreateHandle(width, height, format_, &bits);
    bits_ = bits;
    width_ = width;
    height_ = height;
    return bits_;
}

void TBitmap::LoadFromBytes(const uint8_t* data, size_t size)
{
    // Decode into a scratch bitmap first, so a failure leaves this one as it was.
    TBitmap decoded;
    DecodeBmp(data, size, [&decoded](int width, int height) {
        uint8_t* bits = decoded.PrepareDib(width, height);
        return PixelRows{bits, decoded.RowBytes()};
    });
    ReleaseCanvas();
    handle_ = std::move(decoded.handle_);
    bits_ = decoded.bits_;
    width_ = decoded.width_;
    height_ = decoded.height_;
    format_ = TPixelFormat::Bits24;
    decoded.bits_ = nullptr;
    decoded.width_ = decoded.height_ = 0;
}

void TBitmap::LoadFromFile(const std::string& fileName)
{
    // Mapped: only the headers and the rows they point to are read.
    const TPictureBytes bytes = TPictureBytes::OfFile(fileName);
    LoadFromBytes(bytes.Data, bytes.Size);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name)
{
    HRSRC resource = FindResourceW(instance, WideFromUtf8(name).c_str(), RT_BITMAP);
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        throw EInvalidGraphic::InvalidBitmap();
    LoadFromBytes(static_cast<const uint8_t*>(data), SizeofResource(instance, resource));
}

void TBitmap::SaveToFile(const std::string& fileName)
{
    if (Empty())
        throw EInvalidGraphic::InvalidBitmap();
    if (format_ != TPixelFormat::Bits24)
        SetPixelFormat(TPixelFormat::Bits24);
    GdiFlush();
    // A failure part-way leaves any earlier file of that name as it was.
    TAtomicFileWriter file = TAtomicFileWriter::CreateStream(fileName);
    WriteBmp24(width_, height_, PixelRows{bits_, RowBytes()}, [&file](const void* bytes, size_t count) {
        file.Write(static_cast<const char*>(bytes), count);
    });
    file.Commit();
}
