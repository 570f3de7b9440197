#pragma once
// A code page for the host's tests: ISO 8859-1, whose 256 bytes are the first
// 256 Unicode characters, so which names fit is plain to see.

#include "core/CodePage.h"
#include "core/Utf8.h"

class TLatin1CodePage : public ICodePage {
public:
    std::optional<std::string> FromUtf8(std::string_view text) const override
    {
        const std::optional<std::u16string> wide = Utf16FromUtf8(text);
        if (!wide)
            return std::nullopt;
        std::string bytes;
        for (const char16_t c : *wide) {
            if (c > 0xFF)
                return std::nullopt;
            bytes.push_back(static_cast<char>(c));
        }
        return bytes;
    }
    std::string ToUtf8(std::string_view bytes) const override
    {
        std::u16string wide;
        for (const char c : bytes)
            wide.push_back(static_cast<unsigned char>(c));
        return *Utf8FromUtf16(wide);
    }
};
