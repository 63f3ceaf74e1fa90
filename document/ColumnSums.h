#pragma once
// Digits of a fixed-width field summed column by column, each column in 16 bits, so the sum of
// many lines is worked out once from the column sums rather than line by line.

#include "document/TallySeries.h"

#include <cstdint>

struct ColumnSums {
    static constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FFull;
    static constexpr int kMaxLines = 65535 / 9; // before a column's sum could overflow its 16 bits
    std::uint64_t even = 0;                     // columns 0, 2, 4 and 6
    std::uint64_t odd = 0;

    // A field of eight digit bytes (their low four bits are the digits), the first the most significant.
    void Add(std::uint64_t digitWord)
    {
        const std::uint64_t digits = digitWord & 0x0F0F0F0F0F0F0F0Full;
        even += digits & kLanes;
        odd += digits >> 8 & kLanes;
    }
    // The sum of the columns' sums, each times its column's weight.
    Figure Value(const std::int64_t (&weights)[8]) const
    {
        Figure value = 0;
        for (int k = 0; k < 4; ++k)
            value += static_cast<Figure>(even >> 16 * k & 0xFFFF) * weights[2 * k]
                     + static_cast<Figure>(odd >> 16 * k & 0xFFFF) * weights[2 * k + 1];
        return value;
    }
};

// Weights of the columns of a connect time read by CommonFieldDigits (HH:MM:SS, in seconds) and of
// a charge (in yen).
inline constexpr std::int64_t kTimeColumnWeights[8] = {36000, 3600, 0, 600, 60, 0, 10, 1};
inline constexpr std::int64_t kChargeColumnWeights[8] = {10000000, 1000000, 100000, 10000, 1000, 100, 10, 1};
