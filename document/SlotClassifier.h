#pragma once
// Which day slot and which billing-month slot a charge-file line falls into.
// Both follow from the line's first 8 bytes (the date, whose columns 6-7 are the day tested
// against the closing day), so the answer is worked out once per distinct date and remembered.

#include "document/BillingCalendar.h"

#include <array>
#include <cstdint>
#include <string_view>

struct SlotPair {
    int day = -1;   // 0..29, or -1 for none
    int month = -1; // 0..11, or -1 for none
};

class CSlotClassifier {
public:
    // The calendar's labels are used where they are: it must outlive the classifier.
    explicit CSlotClassifier(const CBillingCalendar& calendar);

    SlotPair Classify(std::string_view line);
    // The rule itself: 24 month comparisons and 30 day comparisons.
    SlotPair ClassifyByLabels(std::string_view line) const;

private:
    struct CacheEntry {
        std::uint64_t key = 0;
        bool filled = false;
        std::int8_t day = -1;
        std::int8_t month = -1;
    };
    static constexpr std::size_t kCacheSize = 1024;

    const DayLabels& m_days;
    const MonthLabels& m_months;
    const PeriodLabel& m_prevMonth;
    int m_closingDay; // as stored, compared as it is
    std::array<CacheEntry, kCacheSize> m_cache{};
};
