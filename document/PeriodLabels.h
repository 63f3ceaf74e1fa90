#pragma once
// Calendar dates and their labels, written exactly as the charge file writes the same dates.

#include <array>
#include <ctime>

using PeriodLabel = std::array<char, 10>; // zero-terminated YY/MM/DD or YY/MM
inline constexpr int kDaySlots = 30;
inline constexpr int kMonthSlots = 12;
using DayLabels = std::array<PeriodLabel, kDaySlots>;
using MonthLabels = std::array<PeriodLabel, kMonthSlots>;

struct CivilDate {
    int year;
    int month; // 1..12
    int day;   // 1..31
    bool operator==(const CivilDate&) const = default;
    // In calendar order.
    bool operator<(const CivilDate& other) const
    {
        return year != other.year ? year < other.year : month != other.month ? month < other.month : day < other.day;
    }
};

int DaysInMonth(int year, int month); // month 0 stands for the December before
int TwoDigitYear(int year);

// The local calendar date of a time value, and a time value on a local date (at noon).
CivilDate LocalDate(std::time_t time);
std::time_t LocalNoon(const CivilDate& date);
// date + days, counted in the calendar.
CivilDate AddDays(const CivilDate& date, int days);

// The YY/MM/DD label of one date, and the YY/MM label of the month `offset` months from date's.
PeriodLabel DayLabelOf(const CivilDate& date);
PeriodLabel MonthLabelOf(const CivilDate& date, int offset);
// The first day of the month `offset` months from date's, offset in any range.
CivilDate MonthStart(const CivilDate& date, int offset);
