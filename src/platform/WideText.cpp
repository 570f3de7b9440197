#include "platform/WideText.h"

#include "core/Exceptions.h"
#include "core/Utf8.h"

#include <algorithm>

// The platform's wchar_t is a UTF-16 code unit.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

std::u16string_view AsUtf16(std::wstring_view text)
{
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

std::wstring AsWide(const std::u16string& text)
{
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

} // namespace

std::wstring WideFromUtf8(std::string_view text)
{
    const std::optional<std::u16string> wide = Utf16FromUtf8(text);
    if (!wide)
        throw EConvertError::TextNotUnicode(Utf8FromUtf16Replacing(Utf16FromUtf8Replacing(text)));
    return AsWide(*wide);
}

std::wstring WideFromUtf8Replacing(std::string_view text)
{
    return AsWide(Utf16FromUtf8Replacing(text));
}

std::string Utf8FromWide(std::wstring_view text)
{
    std::optional<std::string> utf8 = Utf8FromUtf16(AsUtf16(text));
    if (!utf8)
        throw EConvertError::TextNotUnicode(Utf8FromUtf16Replacing(AsUtf16(text)));
    return std::move(*utf8);
}

std::string Utf8FromWideReplacing(std::wstring_view text)
{
    return Utf8FromUtf16Replacing(AsUtf16(text));
}

void CopyWideToField(std::string_view text, wchar_t* field, size_t fieldSize)
{
    if (fieldSize == 0)
        return;
    const std::wstring wide = WideFromUtf8Replacing(text);
    size_t length = std::min(wide.size(), fieldSize - 1);
    // Half a pair would be a lone surrogate.
    if (length > 0 && length < wide.size() && wide[length - 1] >= 0xD800 && wide[length - 1] <= 0xDBFF)
        --length;
    std::copy_n(wide.data(), length, field);
    field[length] = L'\0';
}
