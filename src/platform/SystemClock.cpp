#include "platform/SystemClock.h"

#include "platform/WideText.h"

#include <windows.h>

LocalDateTime SystemClock::Now() const
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute, now.wSecond};
}

DateNames SystemClock::Names() const
{
    auto localeText = [](LCTYPE type) {
        wchar_t buffer[128] = {};
        GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer / sizeof buffer[0]);
        return Utf8FromWideReplacing(buffer);
    };
    DateNames names;
    // The locale lists Monday as day 1 and Sunday as day 7.
    names.LongDayNames[0] = localeText(LOCALE_SDAYNAME7);
    for (int day = 1; day < 7; ++day)
        names.LongDayNames[static_cast<size_t>(day)] =
            localeText(LOCALE_SDAYNAME1 + static_cast<LCTYPE>(day - 1));
    for (int month = 0; month < 12; ++month)
        names.LongMonthNames[static_cast<size_t>(month)] =
            localeText(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(month));
    return names;
}

int64_t SystemClock::WallClockMs() const
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    // Hundreds of nanoseconds since 1601.
    const uint64_t ticks = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<int64_t>(ticks / 10000);
}

int64_t SteadyMs()
{
    return static_cast<int64_t>(GetTickCount64());
}
