#include "core/Utf8.h"

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Decodes the sequence at `text[at]`; on success returns its code point and
// moves `at` past it, else returns nothing and leaves `at` alone.
std::optional<char32_t> DecodeOne(std::string_view text, size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    size_t length;
    char32_t point;
    char32_t smallest;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, point = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, point = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, point = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - at < length)
        return std::nullopt;
    for (size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (!IsContinuation(byte))
            return std::nullopt;
        point = (point << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode's end would let one
    // name be spelled several ways.
    if (point < smallest || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF)
        return std::nullopt;
    at += length;
    return point;
}

void AppendUtf16(std::u16string& out, char32_t point)
{
    if (point < 0x10000) {
        out.push_back(static_cast<char16_t>(point));
        return;
    }
    point -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
}

void AppendUtf8(std::string& out, char32_t point)
{
    if (point < 0x80) {
        out.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (point >> 6)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (point >> 12)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (point >> 18)));
        out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

// Decodes UTF-16; a lone surrogate gives nothing when `replace` is off.
std::optional<std::string> FromUtf16(std::u16string_view text, bool replace)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        char32_t point = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            point = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            if (!replace)
                return std::nullopt;
            point = Replacement;
        }
        AppendUtf8(out, point);
    }
    return out;
}

// Decodes UTF-8; an invalid byte gives nothing when `replace` is off.
std::optional<std::u16string> FromUtf8(std::string_view text, bool replace)
{
    std::u16string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        if (const std::optional<char32_t> point = DecodeOne(text, at)) {
            AppendUtf16(out, *point);
            continue;
        }
        if (!replace)
            return std::nullopt;
        AppendUtf16(out, Replacement);
        ++at;
    }
    return out;
}

} // namespace

bool IsValidUtf8(std::string_view text)
{
    for (size_t at = 0; at < text.size();)
        if (!DecodeOne(text, at))
            return false;
    return true;
}

std::optional<std::u16string> Utf16FromUtf8(std::string_view text)
{
    return FromUtf8(text, false);
}

std::optional<std::string> Utf8FromUtf16(std::u16string_view text)
{
    return FromUtf16(text, false);
}

std::string Utf8FromUtf16Replacing(std::u16string_view text)
{
    return *FromUtf16(text, true);
}

std::u16string Utf16FromUtf8Replacing(std::string_view text)
{
    return *FromUtf8(text, true);
}
