#include "platform/SystemCodePage.h"

#include "core/Utf8.h"
#include "platform/WideText.h"

#include <windows.h>

#include <algorithm>

namespace {

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::wstring WideFromCodePage(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), length);
    return wide;
}

} // namespace

std::optional<std::string> TSystemCodePage::FromUtf8(std::string_view text) const
{
    // ASCII is the same bytes in every code page Windows takes for the
    // system's: most names need no conversion (a list of 100 000 is written
    // in a fraction of the time).
    if (IsAscii(text))
        return std::string(text);
    if (!IsValidUtf8(text))
        return std::nullopt;
    // A system whose code page is UTF-8 holds every character as it is.
    if (GetACP() == CP_UTF8 || text.empty())
        return std::string(text);
    const std::wstring wide = WideFromUtf8(text);
    const int wideLength = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0,
                                           nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, bytes.data(), length, nullptr,
                        &usedDefault);
    // Some code pages turn a character into another without using the
    // default character; only text that reads back the same is the text.
    if (usedDefault || WideFromCodePage(bytes) != wide)
        return std::nullopt;
    return bytes;
}

std::string TSystemCodePage::ToUtf8(std::string_view bytes) const
{
    return Utf8FromWideReplacing(WideFromCodePage(bytes));
}
