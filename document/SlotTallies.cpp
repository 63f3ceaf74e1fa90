#include "document/SlotTallies.h"

#include "document/DerivedFigures.h"

#include <algorithm>

namespace {
// The running maximum: the highest any slot ever stood while reading, and never below 0.
template <int N> Figure Peak(const std::array<Figure, N>& peaks)
{
    return std::max<Figure>(0, *std::max_element(peaks.begin(), peaks.end()));
}

template <int N>
void Fill(const SlotSums<N>& sums, TallySeries<N>& count, TallySeries<N>& yen, TallySeries<N>& seconds)
{
    for (int i = 0; i < N; ++i) {
        const auto k = static_cast<std::size_t>(i);
        count.Slot(i) = sums.count[k];
        yen.Slot(i) = sums.yen[k];
        seconds.Slot(i) = sums.seconds[k];
    }
    yen.Max() = Peak<N>(sums.yenPeak);
    seconds.Max() = Peak<N>(sums.secondsPeak);
}
} // namespace

Tallies FiguresOf(const SlotTallies& sums, const CBillingCalendar& calendar)
{
    Tallies t;
    Fill(sums.days, t.dayCount, t.dayYen, t.daySeconds);
    Fill(sums.months, t.monthCount, t.monthYen, t.monthSeconds);
    ComputeDerivedFigures(t, calendar);
    return t;
}
