#pragma once
// Calendar rules and the labels of the 30 day slots and 12 billing-month slots.
// A label is written exactly as the charge file writes the same date, so it both selects lines
// and captions bars and table rows.

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
};

int DaysInMonth(int year, int month); // month 0 stands for the December before
int TwoDigitYear(int year);

// The local calendar date of a time value, and a time value on a local date (at noon).
CivilDate LocalDate(std::time_t time);
std::time_t LocalNoon(const CivilDate& date);
// date + days, counted in the calendar.
CivilDate AddDays(const CivilDate& date, int days);

// The dates a slot stands for, in full: day slot i (0..29) is one date; billing month slot i
// (0..11) runs from the day after the closing date before it to its own closing date (the last
// day of a month shorter than the closing day).
struct DateSpan {
    CivilDate first, last;
};
CivilDate DaySlotDate(const CivilDate& today, int slot);
DateSpan MonthSlotDates(const CivilDate& today, int closingDay, int slot);

// The YY/MM/DD label of one date.
PeriodLabel DayLabelOf(const CivilDate& date);
void BuildDayLabels(const CivilDate& today, DayLabels& labels);
void BuildMonthLabels(const CivilDate& today, int closingDay, MonthLabels& labels,
                      PeriodLabel& prevMonthLabel);
