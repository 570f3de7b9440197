#pragma once
// The system's ANSI code page (CP_ACP) as the portable code sees it.

#include "core/CodePage.h"

class TSystemCodePage : public ICodePage {
public:
    // WideCharToMultiByte without best fit, checked by reading it back.
    std::optional<std::string> FromUtf8(std::string_view text) const override;
    // MultiByteToWideChar, as the "A" calls read the same bytes.
    std::string ToUtf8(std::string_view bytes) const override;
};
