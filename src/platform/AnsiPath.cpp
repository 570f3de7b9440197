#include "platform/AnsiPath.h"

#include "core/Exceptions.h"

#include <windows.h>

namespace {

// The ANSI form, with the code page's default character for what it lacks;
// `lossy` tells whether that happened. (The UTF-8 code page holds every
// character and takes neither flag nor default.)
std::string ToAnsi(const std::wstring& text, bool& lossy)
{
    lossy = false;
    if (text.empty())
        return {};
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int wideLength = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, nullptr, 0, nullptr, usedDefaultOut);
    if (length <= 0) {
        lossy = true;
        return std::string(text.size(), '?');
    }
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, ansi.data(), length, nullptr, usedDefaultOut);
    lossy = usedDefault != FALSE || WideFromAnsi(ansi) != text;
    return ansi;
}

std::wstring ShortPathOf(const std::wstring& path)
{
    const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0)
        return {};
    std::wstring shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed)
        return {};
    shortPath.resize(length);
    return shortPath;
}

} // namespace

std::wstring WideFromAnsi(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::optional<std::string> LosslessAnsi(const std::wstring& text)
{
    bool lossy = false;
    std::string ansi = ToAnsi(text, lossy);
    if (lossy)
        return std::nullopt;
    return ansi;
}

std::optional<std::string> OpenableAnsiPath(const std::wstring& path)
{
    if (std::optional<std::string> ansi = LosslessAnsi(path))
        return ansi;
    const std::wstring shortPath = ShortPathOf(path);
    if (shortPath.empty())
        return std::nullopt;
    return LosslessAnsi(shortPath);
}

std::string AnsiPathOf(const std::wstring& path)
{
    if (std::optional<std::string> ansi = OpenableAnsiPath(path))
        return *ansi;
    bool lossy = false;
    throw EFOpenError::NameOutsideCodePage(ToAnsi(path, lossy));
}
