#include "BaselineReader.h"

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
int FieldValue(const char* line, int column, int width)
{
    char field[16] = {};
    std::memcpy(field, line + column, strnlen(line + column, static_cast<std::size_t>(width)));
    return static_cast<int>(std::strtol(field, nullptr, 10));
}

int ChargeValue(const char* line)
{
    char field[16] = {};
    std::memcpy(field, line + 31, strnlen(line + 31, 8));
    char stripped[20];
    int n = 0;
    for (const char* p = field; *p; ++p) {
        if (*p != ',')
            stripped[n++] = *p;
    }
    stripped[n] = '\0';
    return static_cast<int>(std::strtol(stripped, nullptr, 10));
}
} // namespace

bool BaselineRead(const std::string& path, const DayLabels& days, const MonthLabels& months,
                  const PeriodLabel& previous, int closingDay, BaselineTotals& totals)
{
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file)
        return false;
    int monthYen[12] = {}, monthCount[12] = {}, monthSeconds[12] = {};
    int dayYen[30] = {}, dayCount[30] = {}, daySeconds[30] = {};
    char line[256];
    while (std::fgets(line, sizeof line, file)) {
        const int d = FieldValue(line, 6, 2);
        for (int i = 0; i < 12; ++i) {
            const char* before = i == 0 ? previous.data() : months[i - 1].data();
            if ((std::strncmp(line, months[i].data(), 5) == 0 && d <= closingDay)
                || (std::strncmp(line, before, 5) == 0 && d > closingDay)) {
                monthYen[i] += ChargeValue(line);
                monthSeconds[i] += FieldValue(line, 22, 2) * 3600 + FieldValue(line, 25, 2) * 60
                                   + FieldValue(line, 28, 2);
                monthCount[i] += 1;
            }
        }
        for (int k = 0; k < 30; ++k) {
            if (std::strncmp(line, days[k].data(), 8) == 0) {
                dayYen[k] += ChargeValue(line);
                daySeconds[k] += FieldValue(line, 22, 2) * 3600 + FieldValue(line, 25, 2) * 60
                                 + FieldValue(line, 28, 2);
                dayCount[k] += 1;
            }
        }
    }
    std::fclose(file);
    totals = {};
    for (int i = 0; i < 12; ++i) {
        totals.monthYen += monthYen[i];
        totals.monthCount += monthCount[i];
    }
    for (int k = 0; k < 30; ++k)
        totals.dayYen += dayYen[k];
    return true;
}

long long CountLines(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return -1;
    // As wc -l counts: every byte looked at once, a block at a time, on one core.
    std::vector<char> buffer(256 << 10);
    long long lines = 0;
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
        // Byte-wide sums over at most 255 bytes, which the compiler adds 16 or 32 bytes at a time.
        for (std::size_t at = 0; at < got; at += 255) {
            unsigned char feeds = 0;
            for (std::size_t i = at; i < std::min(got, at + 255); ++i)
                feeds += buffer[i] == '\n';
            lines += feeds;
        }
    }
    std::fclose(file);
    return lines;
}
