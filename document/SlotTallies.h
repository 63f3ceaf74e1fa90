#pragma once
// What a stretch of the charge file adds to each slot: calls, yen and seconds, and for yen and
// seconds the slot's peak, the highest its running sum reached from 0. The maximum shown is that
// running one: a negative charge (a refund line) later lowers the slot but never the maximum, so
// the graph's scale keeps the highest level a slot ever reached. Stretches read apart (side by
// side, or a first load and what was appended since) fold into the tallies of reading them in
// one go, running maximum included, so a split or incremental read gives the same figures.

#include "document/ChargeFields.h"
#include "document/BillingCalendar.h"
#include "document/TallySeries.h"

#include <algorithm>
#include <array>

// Lines of one slot read one after another, none of them lowering a sum.
struct ChargeRun {
    Figure count = 0;
    Figure yen = 0;
    Figure seconds = 0;
};

template <int N> struct SlotSums {
    std::array<Figure, N> count{}, yen{}, seconds{}, yenPeak{}, secondsPeak{};

    void Add(int slot, const ChargeLineValues& values)
    {
        const auto i = static_cast<std::size_t>(slot);
        count[i] += 1;
        yen[i] += values.yen;
        seconds[i] += values.seconds;
        if (yen[i] > yenPeak[i])
            yenPeak[i] = yen[i];
        if (seconds[i] > secondsPeak[i])
            secondsPeak[i] = seconds[i];
    }

    // The run's lines added one by one would raise the peaks only at its end.
    void AddRun(int slot, const ChargeRun& run)
    {
        const auto i = static_cast<std::size_t>(slot);
        count[i] += run.count;
        yen[i] += run.yen;
        seconds[i] += run.seconds;
        yenPeak[i] = std::max(yenPeak[i], yen[i]);
        secondsPeak[i] = std::max(secondsPeak[i], seconds[i]);
    }

    // This stretch followed by a later one.
    void Append(const SlotSums& later)
    {
        for (std::size_t i = 0; i < N; ++i) {
            yenPeak[i] = std::max(yenPeak[i], yen[i] + later.yenPeak[i]);
            secondsPeak[i] = std::max(secondsPeak[i], seconds[i] + later.secondsPeak[i]);
            count[i] += later.count[i];
            yen[i] += later.yen[i];
            seconds[i] += later.seconds[i];
        }
    }
};

struct SlotTallies {
    SlotSums<kDaySlots> days;
    SlotSums<kMonthSlots> months;

    void Append(const SlotTallies& later)
    {
        days.Append(later.days);
        months.Append(later.months);
    }
};

// The figures the program shows: slots, maxima, averages, totals and forecasts.
Tallies FiguresOf(const SlotTallies& sums, const CBillingCalendar& calendar);
