#include "document/DerivedFigures.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Totals and averages for every series; the maximum as well where it is not tracked while reading.
template <int N> void Summarise(TallySeries<N>& series, bool findMax)
{
    Figure total = 0;
    for (int i = 0; i < N; ++i) {
        total += series.Slot(i);
        if (findMax && series.Slot(i) > series.Max())
            series.Max() = series.Slot(i);
    }
    series.Total() = total;
    series.Average() = total / N;
}

// Truncates toward zero, holding values beyond the 64-bit range at its ends.
Figure TruncateToFigure(double value)
{
    constexpr double kLimit = 9223372036854775807.0; // 2^63
    if (std::isnan(value))
        return 0;
    if (value >= kLimit)
        return std::numeric_limits<Figure>::max();
    if (value <= -kLimit)
        return std::numeric_limits<Figure>::min();
    return static_cast<Figure>(value);
}
} // namespace

Figure Forecast(Figure soFar, int elapsedDays, int monthDays)
{
    const double rate = static_cast<double>(soFar) / static_cast<double>(elapsedDays);
    return TruncateToFigure(static_cast<double>(monthDays) * rate);
}

void ComputeDerivedFigures(Tallies& t, const CBillingCalendar& calendar)
{
    Summarise(t.dayCount, true);
    Summarise(t.dayYen, false);
    Summarise(t.daySeconds, false);
    Summarise(t.monthCount, true);
    Summarise(t.monthYen, false);
    Summarise(t.monthSeconds, false);

    const int elapsed = calendar.ElapsedDays();
    const int length = calendar.MonthLength();
    constexpr int kCurrent = CBillingCalendar::kCurrentMonthSlot;
    t.forecastYen = Forecast(t.monthYen.Slot(kCurrent), elapsed, length);
    t.forecastSeconds = Forecast(t.monthSeconds.Slot(kCurrent), elapsed, length);
    t.forecastCount = Forecast(t.monthCount.Slot(kCurrent), elapsed, length);
}
