#pragma once
// The system's 8-bit code page ("ANSI"), as far as the portable code needs
// it: older list files are written in it, and the program still writes them
// so wherever it can, for every reader that expects it. The system's own is
// in platform/SystemCodePage.h; tests pass one of their own.
//
// Portable: no Windows header.

#include <optional>
#include <string>
#include <string_view>

class ICodePage {
public:
    virtual ~ICodePage() = default;
    // The UTF-8 `text` in the code page when every character has a place of
    // its own there (it reads back as the very same text; nothing is "best
    // fitted", which would turn "Ωmega" into "Omega", another file). Nothing
    // otherwise, and for text that is not valid UTF-8.
    virtual std::optional<std::string> FromUtf8(std::string_view text) const = 0;
    // Code-page bytes as UTF-8. Every byte sequence reads as some text.
    virtual std::string ToUtf8(std::string_view bytes) const = 0;
};
