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

int ElapsedBillingDays(const CivilDate& today, int closingDay)
{
    const long long d = today.day;
    const long long c = closingDay;
    long long elapsed = d;
    if (d > c)
        elapsed = d - c;
    else if (DaysInMonth(today.year, today.month - 1) > c)
        elapsed = DaysInMonth(today.year, today.month - 1) + d - c;
    return static_cast<int>(std::clamp<long long>(elapsed, 1, std::numeric_limits<int>::max()));
}

Figure Forecast(Figure soFar, int elapsedDays, int monthDays)
{
    const double rate = static_cast<double>(soFar) / static_cast<double>(elapsedDays);
    return TruncateToFigure(static_cast<double>(monthDays) * rate);
}

void ComputeDerivedFigures(Tallies& t, const CivilDate& today, int closingDay)
{
    Summarise(t.dayCount, true);
    Summarise(t.dayYen, false);
    Summarise(t.daySeconds, false);
    Summarise(t.monthCount, true);
    Summarise(t.monthYen, false);
    Summarise(t.monthSeconds, false);

    const int elapsed = ElapsedBillingDays(today, closingDay);
    const int length = DaysInMonth(today.year, today.month);
    constexpr int kCurrent = kMonthSlots - 1;
    t.forecastYen = Forecast(t.monthYen.Slot(kCurrent), elapsed, length);
    t.forecastSeconds = Forecast(t.monthSeconds.Slot(kCurrent), elapsed, length);
    t.forecastCount = Forecast(t.monthCount.Slot(kCurrent), elapsed, length);
}
