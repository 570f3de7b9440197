#pragma once
// The texts of the clock label and its date hint.
// Portable: no Windows header.

#include <array>
#include <string>

struct LocalDateTime {
    int Year = 0;
    int Month = 1;     // 1..12
    int Day = 1;       // 1..31
    int DayOfWeek = 0; // 0 = Sunday
    int Hour = 0;      // 0..23
    int Minute = 0;
    int Second = 0;
};

// The user's names of days (Sunday first) and months (January first).
struct DateNames {
    std::array<std::string, 7> LongDayNames;
    std::array<std::string, 12> LongMonthNames;
};

// "hh:mm:ss AM/PM": 12-hour clock, two digits each, 00:xx reads 12:xx AM.
std::string FormatClockTime(const LocalDateTime& time);

// "dddd, dd mmmm yyyy": full day name, two-digit day, full month name,
// four-digit year.
std::string FormatLongDate(const LocalDateTime& date, const DateNames& names);

// The clock label's hint: "Today is : " and the long date.
std::string TodayHint(const LocalDateTime& date, const DateNames& names);
