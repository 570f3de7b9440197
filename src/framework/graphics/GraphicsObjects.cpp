#include "framework/graphics/GraphicsObjects.h"

#include "platform/WideText.h"

TFont::TFont() = default;

void TFont::Assign(const TFont& source)
{
    if (&source == this)
        return;
    name_ = source.name_;
    height_ = source.height_;
    style_ = source.style_;
    color_ = source.color_;
    charset_ = source.charset_;
    Changed();
}

void TFont::SetName(const std::string& name)
{
    if (name_ != name) {
        name_ = name;
        Changed();
    }
}

void TFont::SetHeight(int height)
{
    if (height_ != height) {
        height_ = height;
        Changed();
    }
}

void TFont::SetStyle(TFontStyles style)
{
    if (style_ != style) {
        style_ = style;
        Changed();
    }
}

void TFont::SetColor(TColor color)
{
    // The colour is not part of the GDI font; only the owner needs to know.
    if (color_ != color) {
        color_ = color;
        if (OnChange)
            OnChange();
    }
}

void TFont::Changed()
{
    handle_.Reset();
    if (OnChange)
        OnChange();
}

HFONT TFont::Handle() const
{
    if (!handle_) {
        LOGFONTW logFont{};
        logFont.lfHeight = height_;
        logFont.lfWeight = (style_ & TFontStyle::Bold) ? FW_BOLD : FW_NORMAL;
        logFont.lfItalic = (style_ & TFontStyle::Italic) ? TRUE : FALSE;
        logFont.lfUnderline = (style_ & TFontStyle::Underline) ? TRUE : FALSE;
        logFont.lfStrikeOut = (style_ & TFontStyle::StrikeOut) ? TRUE : FALSE;
        logFont.lfCharSet = charset_;
        logFont.lfQuality = DEFAULT_QUALITY;
        CopyWideToField(name_, logFont.lfFaceName, LF_FACESIZE);
        handle_.Reset(CreateFontIndirectW(&logFont));
    }
    return handle_.Get();
}

void TPen::SetColor(TColor color)
{
    if (color_ != color) {
        color_ = color;
        Changed();
    }
}

void TPen::SetStyle(TPenStyle style)
{
    if (style_ != style) {
        style_ = style;
        Changed();
    }
}

void TPen::SetWidth(int width)
{
    if (width_ != width) {
        width_ = width;
        Changed();
    }
}

void TPen::Changed()
{
    handle_.Reset();
    if (OnChange)
        OnChange();
}

HPEN TPen::Handle() const
{
    // A system colour changed since the pen was made: it is made again.
    const COLORREF rgb = ColorToRGB(color_);
    if (handle_ && rgb != madeWith_)
        handle_.Reset();
    if (!handle_) {
        madeWith_ = rgb;
        static constexpr int kStyles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                          PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_.Reset(CreatePen(kStyles[static_cast<int>(style_)], width_, rgb));
    }
    return handle_.Get();
}

void TBrush::SetColor(TColor color)
{
    // Choosing a colour makes a clear brush solid again, as painters expect.
    if (color_ != color || style_ != TBrushStyle::Solid) {
        color_ = color;
        style_ = TBrushStyle::Solid;
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style_ != style) {
        style_ = style;
        Changed();
    }
}

void TBrush::Changed()
{
    handle_.Reset();
    if (OnChange)
        OnChange();
}

HBRUSH TBrush::Handle() const
{
    // A system colour changed since the brush was made: it is made again.
    const COLORREF rgb = ColorToRGB(color_);
    if (handle_ && rgb != madeWith_)
        handle_.Reset();
    if (!handle_) {
        madeWith_ = rgb;
        if (style_ == TBrushStyle::Clear) {
            LOGBRUSH logBrush{BS_HOLLOW, 0, 0};
            handle_.Reset(CreateBrushIndirect(&logBrush));
        } else {
            handle_.Reset(CreateSolidBrush(rgb));
        }
    }
    return handle_.Get();
}
