#pragma once
// How a spin edit reads its text as a number. Portable: no Windows header.

#include <optional>
#include <string>

// The whole text as a decimal integer: optional blanks around, an optional
// sign, at least one digit, nothing else. Values beyond the int range are
// held at the nearest end of it. Anything else is not a number.
std::optional<int> ParseSpinNumber(const std::string& text);

// The range of a spin edit. Equal bounds mean "no limits", as a spin edit
// whose range was never set takes any value; reversed bounds are read in
// their right order.
struct SpinRange {
    int MinValue = 0;
    int MaxValue = 0;

    int Clamp(int value) const;
    // The text read as a number and clamped into the range; a text that is
    // not a number reads as MinValue.
    int ValueOf(const std::string& text) const;
};
