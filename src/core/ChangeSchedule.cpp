#include "core/ChangeSchedule.h"

#include <algorithm>
#include <charconv>

int64_t MillisecondsUntilNextChange(int64_t intervalMs, std::optional<int64_t> lastChange, int64_t now)
{
    intervalMs = std::max<int64_t>(intervalMs, 0);
    if (!lastChange || *lastChange > now)
        return intervalMs;
    // Counted unsigned: now >= lastChange, so the difference always fits,
    // whatever the stored time was.
    const uint64_t elapsed = static_cast<uint64_t>(now) - static_cast<uint64_t>(*lastChange);
    if (elapsed >= static_cast<uint64_t>(intervalMs))
        return 0;
    return intervalMs - static_cast<int64_t>(elapsed);
}

std::string FormatChangeTime(int64_t time)
{
    return std::to_string(time);
}

std::optional<int64_t> ParseChangeTime(std::string_view text)
{
    int64_t time = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), time);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || time < 0)
        return std::nullopt;
    return time;
}
