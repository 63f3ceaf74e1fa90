#include "document/BillingCalendar.h"
#include "document/SlotClassifier.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {
struct DayCase {
    const char* name;
    CivilDate today;
    std::vector<std::pair<int, const char*>> expected; // slot, label
};

TEST(DayLabelsTest, SlotsCarryTheCalendarDates)
{
    const DayCase cases[] = {
        {"MidMarch", {1997, 3, 15}, {{29, "97/03/15"}, {15, "97/03/01"}, {14, "97/02/28"}, {0, "97/02/14"}}},
        {"JanuaryReachesIntoDecember", {1997, 1, 10}, {{20, "97/01/01"}, {19, "96/12/31"}, {0, "96/12/12"}}},
        {"FirstMarchCommonYear", {1997, 3, 1}, {{28, "97/02/28"}, {1, "97/02/01"}, {0, "97/01/31"}}},
        {"FirstMarchLeapYear", {1996, 3, 1}, {{28, "96/02/29"}, {0, "96/02/01"}}},
        {"CenturyTurn", {2000, 1, 15}, {{29, "00/01/15"}, {0, "99/12/17"}}}};
    for (const DayCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CBillingCalendar calendar(c.today, 31);
        for (const auto& [slot, label] : c.expected)
            EXPECT_STREQ(calendar.DayLabel(slot), label) << "slot " << slot;
    }
}

struct MonthCase {
    const char* name;
    CivilDate today;
    int closingDay;
    const char* slot11;
    const char* slot10;
    const char* slot0;
    const char* previous;
};

TEST(MonthLabelsTest, BillingMonthsEndOnTheClosingDay)
{
    const MonthCase cases[] = {
        {"BeforeClosingDay", {1997, 3, 15}, 20, "97/03", "97/02", "96/04", "96/03"},
        {"AfterClosingDay", {1997, 3, 25}, 20, "97/04", "97/03", "96/05", "96/04"},
        {"DecemberAfterClosing", {1997, 12, 25}, 20, "98/01", "97/12", "97/02", "97/01"},
        {"January", {1997, 1, 10}, 20, "97/01", "96/12", "96/02", "96/01"},
        {"EndOfMonth", {1997, 1, 31}, 31, "97/01", "96/12", "96/02", "96/01"},
        {"ClosingDayZero", {1997, 1, 1}, 0, "97/02", "97/01", "96/03", "96/02"},
        {"NegativeClosingDay", {1997, 1, 1}, -40, "97/02", "97/01", "96/03", "96/02"}};
    for (const MonthCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CBillingCalendar calendar(c.today, c.closingDay);
        EXPECT_STREQ(calendar.MonthLabel(11), c.slot11);
        EXPECT_STREQ(calendar.MonthLabel(10), c.slot10);
        EXPECT_STREQ(calendar.MonthLabel(0), c.slot0);
        EXPECT_STREQ(calendar.PreviousMonth().data(), c.previous);
    }
}

// Every date of the 14 months around lies in the slot whose span holds it, and in none where no
// span does: the spans describe exactly the lines the slots count, whatever closing day is stored
// (for -5 on 7 December the current slot holds 1 to 31 December).
TEST(MonthDatesTest, EachDateIsCountedInTheSlotWhoseSpanHoldsIt)
{
    for (const int closingDay : {std::numeric_limits<int>::min(), -5, 0, 1, 15, 28, 29, 30, 31, 32, std::numeric_limits<int>::max()}) {
        for (const CivilDate today : {CivilDate{1997, 3, 10}, CivilDate{1996, 2, 29}, CivilDate{2026, 12, 31}}) {
            const CBillingCalendar calendar(today, closingDay);
            CSlotClassifier classifier(calendar);
            for (int offset = -420; offset <= 40; ++offset) {
                const CivilDate date = AddDays(today, offset);
                int spanned = -1;
                for (int slot = 0; slot < kMonthSlots; ++slot) {
                    const DateSpan span = calendar.MonthDates(slot);
                    if (!(date < span.first) && !(span.last < date))
                        spanned = slot;
                }
                const std::string label = DayLabelOf(date).data();
                ASSERT_EQ(classifier.ClassifyByLabels(label + " 10:00").month, spanned) << closingDay << " " << label;
            }
        }
    }
}

} // namespace
