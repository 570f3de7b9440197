#include "core/PictureFileNames.h"

#include "core/AsciiCase.h"
#include "core/FileNames.h"

#include <algorithm>
#include <array>
#include <string>

bool IsPictureFileName(std::string_view name)
{
    static constexpr std::array<std::string_view, 10> Extensions{".bmp", ".jpg", ".jpeg", ".jpe",  ".jfif",
                                                                 ".png", ".gif", ".tif",  ".tiff", ".webp"};
    const std::string extension = ExtractFileExt(std::string(name));
    return std::any_of(Extensions.begin(), Extensions.end(),
                       [&](std::string_view known) { return SameIgnoringCase(extension, known); });
}

bool NameBefore(std::string_view a, std::string_view b)
{
    const auto lowered = [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lowered))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lowered))
        return false;
    return a < b;
}
