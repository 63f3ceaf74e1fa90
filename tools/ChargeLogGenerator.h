#pragma once
// Charge logs like a household's, the same for the same options: the line layout the call logger
// writes, with CRLF line ends and dates running up to a given day. Calls per day vary (weekends
// busier, some days quiet); charges follow a simple tariff: 10 yen per 3 minutes begun for local
// numbers, dearer long-distance ones, and free numbers.

#include "document/PeriodLabels.h"

#include <cstdint>
#include <cstdio>
#include <string>

struct ChargeLogOptions {
    CivilDate lastDay{1996, 12, 20};
    int days = 400;             // how far back the log reaches, lastDay included
    std::int64_t lines = 4000;  // calls in all, spread over the days
    std::uint32_t seed = 1;
};

// One line: date, start time, connect time, charge and number at their columns.
std::string ChargeLogLine(const CivilDate& date, int startSeconds, int connectSeconds, long yen,
                          const std::string& number);

// Writes the whole log; false when the file cannot be written.
bool WriteChargeLog(std::FILE* out, const ChargeLogOptions& options);
bool WriteChargeLog(const std::string& path, const ChargeLogOptions& options);
