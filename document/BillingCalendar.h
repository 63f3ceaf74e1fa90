#pragma once
// The calendar of one date and closing day: the 30 day slots (today last) and the 12 billing-month
// slots (the current one last), each with its label and its dates, and how far the current
// billing month has come. Whatever asks which dates a slot holds asks here.
//
// A label is written exactly as the charge file writes the same date, so it both selects lines
// and captions bars and table rows: a line counts in billing month slot i when its date lies in
// the month of label i on or before the closing day, or in the month before after it.

#include "document/PeriodLabels.h"

// The dates a slot holds, first and last included.
struct DateSpan {
    CivilDate first, last;
    bool operator==(const DateSpan&) const = default;
};

class CBillingCalendar {
public:
    static constexpr int kTodaySlot = kDaySlots - 1;
    static constexpr int kCurrentMonthSlot = kMonthSlots - 1;

    CBillingCalendar() : CBillingCalendar({1970, 1, 1}, 31) {}
    // closingDay: as stored, any value; one outside 1 to 31 selects lines as the nearest of 0
    // (each slot holds the whole month before its label) or 31 (the whole month of its label).
    CBillingCalendar(const CivilDate& today, int closingDay);

    const CivilDate& Today() const { return m_today; }
    int ClosingDay() const { return m_closingDay; }

    const DayLabels& Days() const { return m_days; }
    const MonthLabels& Months() const { return m_months; }
    // The month before billing month slot 0, whose days after the closing day count in slot 0.
    const PeriodLabel& PreviousMonth() const { return m_previousMonth; }
    // A slot's label; empty outside the slots.
    const char* DayLabel(int slot) const;
    const char* MonthLabel(int slot) const;

    CivilDate DayDate(int slot) const;
    // The dates whose lines billing month slot counts.
    DateSpan MonthDates(int slot) const;
    // Whether a date lies in the current billing month (up to its closing day).
    bool InCurrentMonth(const CivilDate& date) const;

    // Days of the current billing month so far, today included (at least 1), and the length of
    // today's calendar month: the forecast extrapolates over these.
    int ElapsedDays() const;
    int MonthLength() const { return DaysInMonth(m_today.year, m_today.month); }

private:
    CivilDate m_today;
    int m_closingDay;
    DayLabels m_days{};
    MonthLabels m_months{};
    PeriodLabel m_previousMonth{};
};
