#include "document/BillingCalendar.h"

#include <algorithm>
#include <limits>

namespace {
// The closing day as it selects lines: a day of the month compares with a value outside 1 to 31
// exactly as with 0 or 31.
int SelectingClosingDay(int closingDay)
{
    return std::clamp(closingDay, 0, 31);
}

// The closing date of the billing month that ends in the month starting at monthStart (its last
// day where the month is shorter; the day before it for 0).
CivilDate ClosingDateIn(const CivilDate& monthStart, int closingDay)
{
    return AddDays(monthStart, std::min(closingDay, DaysInMonth(monthStart.year, monthStart.month)) - 1);
}
} // namespace

CBillingCalendar::CBillingCalendar(const CivilDate& today, int closingDay)
    : m_today(today), m_closingDay(closingDay)
{
    for (int k = 0; k < kDaySlots; ++k)
        m_days[static_cast<std::size_t>(k)] = DayLabelOf(DayDate(k));
    // A day after the closing day already belongs to the billing month ending next month.
    const int shift = today.day > closingDay ? 1 : 0;
    for (int n = 0; n < kMonthSlots; ++n)
        m_months[static_cast<std::size_t>(n)] = MonthLabelOf(today, n - kCurrentMonthSlot + shift);
    m_previousMonth = MonthLabelOf(today, shift - kMonthSlots);
}

const char* CBillingCalendar::DayLabel(int slot) const
{
    return slot >= 0 && slot < kDaySlots ? m_days[static_cast<std::size_t>(slot)].data() : "";
}

const char* CBillingCalendar::MonthLabel(int slot) const
{
    return slot >= 0 && slot < kMonthSlots ? m_months[static_cast<std::size_t>(slot)].data() : "";
}

CivilDate CBillingCalendar::DayDate(int slot) const
{
    return AddDays(m_today, slot - kTodaySlot);
}

DateSpan CBillingCalendar::MonthDates(int slot) const
{
    // The same months the labels name, and the days of them the slot's lines are selected by.
    const int closingDay = SelectingClosingDay(m_closingDay);
    const CivilDate own = MonthStart(m_today, slot - kCurrentMonthSlot + (m_today.day > closingDay ? 1 : 0));
    return {AddDays(ClosingDateIn(MonthStart(own, -1), closingDay), 1), ClosingDateIn(own, closingDay)};
}

bool CBillingCalendar::InCurrentMonth(const CivilDate& date) const
{
    const DateSpan current = MonthDates(kCurrentMonthSlot);
    return !(date < current.first) && !(current.last < date);
}

int CBillingCalendar::ElapsedDays() const
{
    // Worked out from the closing day as stored, in 64 bits, so any stored value gives a figure.
    const long long d = m_today.day;
    const long long c = m_closingDay;
    long long elapsed = d;
    if (d > c)
        elapsed = d - c;
    else if (DaysInMonth(m_today.year, m_today.month - 1) > c)
        elapsed = DaysInMonth(m_today.year, m_today.month - 1) + d - c;
    return static_cast<int>(std::clamp<long long>(elapsed, 1, std::numeric_limits<int>::max()));
}
