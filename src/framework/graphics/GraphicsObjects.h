#pragma once
// Font, pen and brush: plain property holders that build their GDI object on
// first use and rebuild it after a change. A change notifies the owner (a
// control repaints, a canvas reselects).

#include "framework/Object.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandle.h"

#include <cstdint>
#include <functional>
#include <string>

// A font's styles, as bits of a TFontStyles.
struct TFontStyle {
    enum : uint8_t { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
};
using TFontStyles = uint8_t;

class TFont : public TPersistent {
public:
    TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    // Copies every attribute (not the change handler).
    void Assign(const TFont& source);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    uint8_t Charset() const { return charset_; }

    HFONT Handle() const;
    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    uint8_t charset_ = DEFAULT_CHARSET;
    mutable gdi::Font handle_;
};

enum class TPenStyle : uint8_t { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };

class TPen : public TPersistent {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    int Width() const { return width_; }
    void SetWidth(int width);
    HPEN Handle() const;
    std::function<void()> OnChange;

private:
    void Changed();
    TColor color_ = clBlack;
    TPenStyle style_ = TPenStyle::Solid;
    int width_ = 1;
    mutable gdi::Pen handle_;
    mutable COLORREF madeWith_ = 0; // a system colour's value when the pen was made
};

enum class TBrushStyle : uint8_t { Solid, Clear };

class TBrush : public TPersistent {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    HBRUSH Handle() const;
    std::function<void()> OnChange;

private:
    void Changed();
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::Solid;
    mutable gdi::Brush handle_;
    mutable COLORREF madeWith_ = 0; // a system colour's value when the brush was made
};
