#pragma once
// A bitmap with its own canvas: either a 24-bit device-independent bitmap
// (direct row access through ScanLine) or a device-dependent one compatible
// with the screen. Pictures of every kind are turned into one of these.

#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandle.h"
#include "framework/graphics/Graphic.h"

#include <cstdint>
#include <memory>
#include <string>

enum class TPixelFormat : uint8_t { Device, Bits24 };
enum class TBitmapHandleType : uint8_t { DIB, DDB };

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::Bits24);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    ~TBitmap() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // Resizing keeps the pixels that still fit; new pixels are white.
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const { return format_; }
    void SetPixelFormat(TPixelFormat format);
    TBitmapHandleType HandleType() const
    {
        return format_ == TPixelFormat::Bits24 ? TBitmapHandleType::DIB : TBitmapHandleType::DDB;
    }

    // Row y of a 24-bit bitmap (B, G, R bytes), top row first.
    uint8_t* ScanLine(int y);
    int RowBytes() const { return (width_ * 3 + 3) & ~3; }

    // The bitmap's own canvas (a memory DC holding the bitmap).
    TCanvas& Canvas();
    HBITMAP Handle() const { return handle_.Get(); }

    // Copies the pixels and size of another bitmap, or renders a graphic.
    void Assign(const TBitmap& source);
    void Assign(TGraphic& source);
    void Clear() { SetSize(0, 0); }

    // Transparent drawing leaves out the pixels of TransparentColor: by
    // default the colour of the bottom-left pixel.
    TColor TransparentColor();
    void SetTransparentColor(TColor color) { transparentColor_ = color; }

    void Draw(TCanvas& canvas, const RECT& dest) override;
    void LoadFromFile(const std::string& fileName) override;
    // Loads a BMP from memory (a file image or a bare DIB as in resources).
    void LoadFromBytes(const uint8_t* data, size_t size);
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    void SaveToFile(const std::string& fileName);

private:
    gdi::Bitmap CreateHandle(int width, int height, TPixelFormat format, uint8_t** bits) const;
    void ReleaseCanvas();
    // Allocates a fresh 24-bit DIB of the given size for a decoder to fill.
    uint8_t* PrepareDib(int width, int height);

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = TPixelFormat::Bits24;
    TColor transparentColor_ = clDefault;
    gdi::Bitmap handle_;
    uint8_t* bits_ = nullptr; // pixels of the DIB section, top-down
    std::unique_ptr<gdi::MemoryDC> dc_;
    HGDIOBJ previousBitmap_ = nullptr;
    std::unique_ptr<TCanvas> canvas_;
};
