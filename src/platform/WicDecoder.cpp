#include "platform/WicDecoder.h"

#include "core/Exceptions.h"
#include "core/codec/PixelCompositing.h"
#include "platform/ComObjects.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>
#include <wincodec.h>

namespace {

// Rows taken from the decoder per call: few calls, and a buffer that stays
// small beside the picture.
constexpr int kStripeRows = 64;

// Turns failed calls into the errors of one picture's format.
class WicCalls {
public:
    explicit WicCalls(PictureFormat format) : format_(format) {}

    void Check(HRESULT result) const
    {
        if (FAILED(result))
            throw Error(result);
    }

    EInvalidGraphic Error(HRESULT result) const
    {
        // No decoder for the format (a system without it, or without WIC).
        if (result == WINCODEC_ERR_COMPONENTNOTFOUND || result == REGDB_E_CLASSNOTREG)
            return EInvalidGraphic::UnsupportedPicture(PictureFormatName(format_));
        return EInvalidGraphic::InvalidPicture(PictureFormatName(format_));
    }

private:
    PictureFormat format_;
};

// Pixel formats whose pixels are indexes: into the file's palette, or grey
// levels. They are expanded here rather than through WIC's converter, whose
// output Wine's does not deliver for every one of them.
struct IndexedLayout {
    int Bits = 0;
    bool Gray = false;
};

std::optional<IndexedLayout> IndexedLayoutOf(const WICPixelFormatGUID& format)
{
    const struct {
        const GUID* Format;
        IndexedLayout Layout;
    } layouts[] = {
        {&GUID_WICPixelFormat1bppIndexed, {1, false}}, {&GUID_WICPixelFormat2bppIndexed, {2, false}},
        {&GUID_WICPixelFormat4bppIndexed, {4, false}}, {&GUID_WICPixelFormat8bppIndexed, {8, false}},
        {&GUID_WICPixelFormatBlackWhite, {1, true}},   {&GUID_WICPixelFormat2bppGray, {2, true}},
        {&GUID_WICPixelFormat4bppGray, {4, true}},     {&GUID_WICPixelFormat8bppGray, {8, true}},
    };
    for (const auto& known : layouts) {
        if (IsEqualGUID(format, *known.Format))
            return known.Layout;
    }
    return std::nullopt;
}

// Copies the source's rows a stripe at a time, `rowBytes` each, and hands
// every row to `convert` with its index.
template <class Convert>
void CopyRows(IWICBitmapSource& source, int width, int height, UINT rowBytes, const WicCalls& calls,
              Convert convert)
{
    std::vector<BYTE> stripe(static_cast<size_t>(rowBytes) * kStripeRows);
    for (int top = 0; top < height; top += kStripeRows) {
        const int rows = std::min(kStripeRows, height - top);
        const WICRect rect{0, top, width, rows};
        calls.Check(source.CopyPixels(&rect, rowBytes, rowBytes * static_cast<UINT>(rows), stripe.data()));
        for (int i = 0; i < rows; ++i)
            convert(top + i, stripe.data() + static_cast<size_t>(rowBytes) * i);
    }
}

// The frame's palette, or the file's when the frame has none of its own
// (a GIF frame that uses the global table).
BgrPalette FramePalette(IWICImagingFactory& factory, IWICBitmapDecoder& decoder, IWICBitmapFrameDecode& frame,
                        uint32_t background, const WicCalls& calls)
{
    TComPtr<IWICPalette> palette;
    calls.Check(factory.CreatePalette(palette.Receive()));
    if (FAILED(frame.CopyPalette(palette.Get())))
        calls.Check(decoder.CopyPalette(palette.Get()));
    UINT count = 0;
    calls.Check(palette->GetColorCount(&count));
    std::vector<WICColor> colors(count);
    calls.Check(palette->GetColors(count, colors.data(), &count));
    return CompositePalette(colors.data(), count, background);
}

} // namespace

void DecodeWithWic(const uint8_t* data, size_t size, const PictureInfo& info, uint32_t background,
                   uint64_t maxDecodedBytes, const AllocatePixels& allocate)
{
    const WicCalls calls(info.Format);
    const TComApartment apartment;
    // The first factory: the one every Windows since 7 has.
    TComPtr<IWICImagingFactory> factory;
    calls.Check(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Receive())));
    TComPtr<IWICStream> stream;
    calls.Check(factory->CreateStream(stream.Receive()));
    // The stream counts in 32 bits; a longer file is seen up to there (its
    // picture is long over by then: the headers are at the start).
    const auto streamSize = static_cast<DWORD>(std::min<size_t>(size, MAXDWORD));
    calls.Check(stream->InitializeFromMemory(const_cast<BYTE*>(data), streamSize));
    TComPtr<IWICBitmapDecoder> decoder;
    calls.Check(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                 decoder.Receive()));
    TComPtr<IWICBitmapFrameDecode> frame;
    calls.Check(decoder->GetFrame(0, frame.Receive()));

    UINT width = 0, height = 0;
    calls.Check(frame->GetSize(&width, &height));
    if (width < 1 || height < 1 || width > INT_MAX || height > INT_MAX)
        throw EInvalidGraphic::InvalidPicture(PictureFormatName(info.Format));
    if (static_cast<int>(width) != info.Width || static_cast<int>(height) != info.Height) {
        PictureInfo found = info;
        found.Width = static_cast<int>(width);
        found.Height = static_cast<int>(height);
        CheckPictureMemory(found, maxDecodedBytes);
    }
    const int w = static_cast<int>(width), h = static_cast<int>(height);

    WICPixelFormatGUID pixelFormat{};
    calls.Check(frame->GetPixelFormat(&pixelFormat));
    if (const std::optional<IndexedLayout> indexed = IndexedLayoutOf(pixelFormat)) {
        const BgrPalette palette =
            indexed->Gray ? GrayPalette(indexed->Bits)
                          : FramePalette(*factory.Get(), *decoder.Get(), *frame.Get(), background, calls);
        const PixelRows rows = allocate(w, h);
        const auto rowBytes = static_cast<UINT>((static_cast<uint64_t>(width) * indexed->Bits + 31) / 32 * 4);
        CopyRows(*frame.Get(), w, h, rowBytes, calls, [&](int y, const BYTE* indexes) {
            ExpandIndexedRow(indexes, indexed->Bits, w, palette, rows.Row(y));
        });
        return;
    }
    TComPtr<IWICFormatConverter> converter;
    calls.Check(factory->CreateFormatConverter(converter.Receive()));
    calls.Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                      nullptr, 0.0, WICBitmapPaletteTypeCustom));
    const PixelRows rows = allocate(w, h);
    CopyRows(*converter.Get(), w, h, width * 4, calls,
             [&](int y, const BYTE* bgra) { CompositePremultipliedRow(bgra, w, background, rows.Row(y)); });
}
