#include "framework/stdctrls/SpinValue.h"

#include <algorithm>
#include <climits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<int> ParseSpinNumber(const std::string& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    bool negative = false;
    if (begin < end && (text[begin] == '+' || text[begin] == '-')) {
        negative = text[begin] == '-';
        ++begin;
    }
    if (begin == end)
        return std::nullopt;
    long long magnitude = 0;
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    for (size_t i = begin; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        // Past the int range the value only needs to stay past it.
        magnitude = std::min(limit, magnitude * 10 + (c - '0'));
    }
    if (negative)
        return static_cast<int>(std::max(-magnitude, static_cast<long long>(INT_MIN)));
    return static_cast<int>(std::min(magnitude, static_cast<long long>(INT_MAX)));
}

int SpinRange::Clamp(int value) const
{
    if (MinValue == MaxValue)
        return value;
    return std::clamp(value, std::min(MinValue, MaxValue), std::max(MinValue, MaxValue));
}

int SpinRange::ValueOf(const std::string& text) const
{
    const std::optional<int> number = ParseSpinNumber(text);
    return Clamp(number ? *number : MinValue);
}
