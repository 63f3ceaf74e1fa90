#pragma once
// N slot values (oldest first) followed by their maximum, average and total.
// 64-bit, so no log, however large or hostile, can overflow a sum.

#include <array>
#include <cstdint>

using Figure = std::int64_t;

template <int N> struct TallySeries {
    static constexpr int kSlots = N;
    std::array<Figure, N + 3> values{};

    Figure& Slot(int i) { return values[static_cast<std::size_t>(i)]; }
    Figure Slot(int i) const { return i >= 0 && i < N ? values[static_cast<std::size_t>(i)] : 0; }
    Figure& Max() { return values[N]; }
    Figure& Average() { return values[N + 1]; }
    Figure& Total() { return values[N + 2]; }
    Figure Max() const { return values[N]; }
    Figure Average() const { return values[N + 1]; }
    Figure Total() const { return values[N + 2]; }
    bool operator==(const TallySeries&) const = default;
};

using DaySeries = TallySeries<30>;
using MonthSeries = TallySeries<12>;

// Everything one load produces.
struct Tallies {
    DaySeries dayCount, dayYen, daySeconds;
    MonthSeries monthCount, monthYen, monthSeconds;
    Figure forecastYen = 0;
    Figure forecastSeconds = 0;
    Figure forecastCount = 0;
    bool operator==(const Tallies&) const = default;
};
