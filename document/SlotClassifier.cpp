#include "document/SlotClassifier.h"

#include "document/ChargeFields.h"

#include <cstring>

namespace {
constexpr std::size_t kMonthKey = 5; // YY/MM
constexpr std::size_t kDayKey = 8;   // YY/MM/DD

bool StartsWith(std::string_view line, const PeriodLabel& label, std::size_t length)
{
    return line.size() >= length && std::memcmp(line.data(), label.data(), length) == 0;
}
} // namespace

CSlotClassifier::CSlotClassifier(const CBillingCalendar& calendar)
    : m_days(calendar.Days()), m_months(calendar.Months()), m_prevMonth(calendar.PreviousMonth()),
      m_closingDay(calendar.ClosingDay())
{
}

SlotPair CSlotClassifier::ClassifyByLabels(std::string_view line) const
{
    SlotPair found;
    const int d = DayOfLine(line);
    for (int i = 0; i < kMonthSlots; ++i) {
        const PeriodLabel& predecessor = i == 0 ? m_prevMonth : m_months[i - 1];
        if ((StartsWith(line, m_months[i], kMonthKey) && d <= m_closingDay)
            || (StartsWith(line, predecessor, kMonthKey) && d > m_closingDay))
            found.month = i;
    }
    for (int k = 0; k < kDaySlots; ++k) {
        if (StartsWith(line, m_days[k], kDayKey))
            found.day = k;
    }
    return found;
}

SlotPair CSlotClassifier::Classify(std::string_view line)
{
    if (line.size() < kMonthKey)
        return {}; // too short for any label: blank lines and junk cost nothing
    if (line.size() < kDayKey)
        return ClassifyByLabels(line);
    std::uint64_t key = 0;
    std::memcpy(&key, line.data(), sizeof key);
    const std::uint64_t hash = (key * 0x9E3779B97F4A7C15ull) >> 54;
    CacheEntry& entry = m_cache[hash % kCacheSize];
    if (!entry.filled || entry.key != key) {
        const SlotPair found = ClassifyByLabels(line);
        entry = {key, true, static_cast<std::int8_t>(found.day), static_cast<std::int8_t>(found.month)};
    }
    return {entry.day, entry.month};
}
