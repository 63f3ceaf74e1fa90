#pragma once
// The tally loop written the plain way: fgets into a 256-byte buffer and, for every line, the
// 24 month-label and 30 day-label comparisons. Kept as the yardstick for the real reader.

#include "document/PeriodLabels.h"

#include <string>

struct BaselineTotals {
    long long dayYen = 0;
    long long monthYen = 0;
    long long monthCount = 0;
};

bool BaselineRead(const std::string& path, const DayLabels& days, const MonthLabels& months,
                  const PeriodLabel& previous, int closingDay, BaselineTotals& totals);

// The yardstick: counting line feeds as wc -l does, every byte read once on one core.
long long CountLines(const std::string& path);
