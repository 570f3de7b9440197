#include "platform/OrdinalCase.h"

#include "platform/WideText.h"

#include <windows.h>

std::wstring OrdinalCaseKey(std::string_view name)
{
    std::wstring key = WideFromUtf8Replacing(name);
    if (key.empty())
        return key;
    // Without LCMAP_LINGUISTIC_CASING the invariant mapping takes the file
    // system's upper case of each code unit: the length stays the same.
    const int length = static_cast<int>(key.size());
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, key.data(), length, key.data(), length, nullptr,
                  nullptr, 0);
    return key;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b)
{
    const std::wstring wideA = WideFromUtf8Replacing(a), wideB = WideFromUtf8Replacing(b);
    return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}
