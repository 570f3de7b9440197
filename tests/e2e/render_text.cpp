// Draws a text the way the program draws a file name, through the system's
// own text output, into a 24-bit BMP: the expected picture that the
// end-to-end tests compare a screenshot's crop with.
//
//   render_text OUT.bmp TEXT.txt row|label WIDTH HEIGHT FACE FONT-HEIGHT WEIGHT BACK FORE
//
// TEXT.txt holds the text in UTF-8 (a command line would pass through the
// Unix locale first). "row" draws it as a list row of the owner-drawn list
// (opaque, one pixel in from the left); "label" as a word-wrapping label
// over its panel. BACK and FORE are RRGGBB.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using OwnedDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using OwnedObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, ObjectDeleter>;

std::wstring ReadUtf8(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open the text file");
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (text.empty())
        throw std::runtime_error("the text file is empty");
    const int size = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (units == 0)
        throw std::runtime_error("the text file is not UTF-8");
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), units);
    return wide;
}

COLORREF ParseColour(const char* hex)
{
    const unsigned long rgb = std::strtoul(hex, nullptr, 16);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::wstring Wide(const char* ascii)
{
    return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii));
}

void WriteBmp(const char* path, const void* bits, int width, int height)
{
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB};
    info.biSizeImage = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(static_cast<const char*>(bits), info.biSizeImage);
    if (!out)
        throw std::runtime_error("cannot write the bitmap");
}

void Render(char** argv)
{
    const std::wstring text = ReadUtf8(argv[2]);
    const std::string mode = argv[3];
    const int width = std::atoi(argv[4]);
    const int height = std::atoi(argv[5]);
    const COLORREF back = ParseColour(argv[9]);

    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB}};
    void* bits = nullptr;
    OwnedDc dc(CreateCompatibleDC(nullptr));
    OwnedObject bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    LOGFONTW logFont{};
    logFont.lfHeight = std::atoi(argv[7]);
    logFont.lfWeight = std::atoi(argv[8]);
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(logFont.lfFaceName, Wide(argv[6]).c_str(), LF_FACESIZE);
    OwnedObject font(CreateFontIndirectW(&logFont));
    if (!dc || !bitmap || !font)
        throw std::runtime_error("cannot create the drawing objects");
    HGDIOBJ oldBitmap = SelectObject(dc.get(), bitmap.get());
    HGDIOBJ oldFont = SelectObject(dc.get(), font.get());
    SetTextColor(dc.get(), ParseColour(argv[10]));
    SetBkColor(dc.get(), back);
    RECT rect{0, 0, width, height};
    if (mode == "row") {
        ExtTextOutW(dc.get(), 1, 0, ETO_OPAQUE | ETO_CLIPPED, &rect, text.data(),
                    static_cast<UINT>(text.size()), nullptr);
    } else {
        OwnedObject brush(CreateSolidBrush(back));
        FillRect(dc.get(), &rect, static_cast<HBRUSH>(brush.get()));
        SetBkMode(dc.get(), TRANSPARENT);
        DrawTextW(dc.get(), text.data(), static_cast<int>(text.size()), &rect,
                  DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX);
    }
    GdiFlush();
    WriteBmp(argv[1], bits, width, height);
    SelectObject(dc.get(), oldFont);
    SelectObject(dc.get(), oldBitmap);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 11) {
        std::fputs(
            "usage: render_text OUT.bmp TEXT.txt row|label WIDTH HEIGHT FACE FONT-HEIGHT WEIGHT BACK FORE\n",
            stderr);
        return 2;
    }
    try {
        Render(argv);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "render_text: %s\n", error.what());
        return 1;
    }
}
