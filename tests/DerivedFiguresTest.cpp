#include "document/DerivedFigures.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {
struct ForecastCase {
    const char* name;
    CivilDate today;
    int closingDay;
    Figure soFar;
    Figure forecast;
};

TEST(ForecastTest, ExtrapolatesTheCurrentBillingMonth)
{
    const ForecastCase cases[] = {
        {"OnClosingDay", {1996, 12, 20}, 20, 3000, 3100},
        {"AfterClosingDay", {1996, 12, 25}, 20, 500, 3100},
        {"EndOfMonthClosing", {1997, 2, 10}, 31, 1000, 2800},
        {"FebruaryShorterThanClosingDay", {1997, 3, 10}, 30, 1000, 3100},
        {"MarchLongerThanClosingDay", {1997, 4, 10}, 30, 1100, 3000},
        {"JanuaryReachesIntoDecember", {1997, 1, 5}, 20, 1600, 3100},
        {"TruncatesTowardZero", {1997, 3, 3}, 31, 1000, 10333},
        {"NegativeTruncatesTowardZero", {1997, 3, 3}, 31, -1000, -10333},
        {"NoCallsYet", {1997, 3, 3}, 20, 0, 0},
        {"HugeSumDoesNotOverflow", {1997, 3, 1}, 31, std::numeric_limits<Figure>::max(),
         std::numeric_limits<Figure>::max()}};
    for (const ForecastCase& c : cases) {
        SCOPED_TRACE(c.name);
        Tallies t;
        t.monthYen.Slot(11) = c.soFar;
        ComputeDerivedFigures(t, CBillingCalendar(c.today, c.closingDay));
        EXPECT_EQ(t.forecastYen, c.forecast);
    }
}

TEST(DerivedFigures, ForecastOfExactlyTwoToTheSixtyThirdHoldsAtTheTop)
{
    constexpr Figure kHalfOfTwoToThe63 = Figure{1} << 62;
    EXPECT_EQ(Forecast(kHalfOfTwoToThe63, 1, 2), std::numeric_limits<Figure>::max());
    EXPECT_EQ(Forecast(kHalfOfTwoToThe63 - 1024, 1, 2), std::numeric_limits<Figure>::max() - 2047);
}

} // namespace
