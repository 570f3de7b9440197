#include "core/ClockText.h"

#include <cstdio>

std::string FormatClockTime(const LocalDateTime& time)
{
    const int hour12 = time.Hour % 12 == 0 ? 12 : time.Hour % 12;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d %s", hour12, time.Minute % 100, time.Second % 100,
                  time.Hour < 12 ? "AM" : "PM");
    return text;
}

std::string FormatLongDate(const LocalDateTime& date, const DateNames& names)
{
    char day[8];
    std::snprintf(day, sizeof day, "%02d", date.Day % 100);
    char year[8];
    std::snprintf(year, sizeof year, "%04d", date.Year % 10000);
    const std::string& dayName = names.LongDayNames.at(static_cast<size_t>(date.DayOfWeek % 7));
    const std::string& monthName = names.LongMonthNames.at(static_cast<size_t>((date.Month + 11) % 12));
    return dayName + ", " + day + " " + monthName + " " + year;
}

std::string TodayHint(const LocalDateTime& date, const DateNames& names)
{
    return "Today is : " + FormatLongDate(date, names);
}
