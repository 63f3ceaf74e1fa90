#include "tools/ChargeLogGenerator.h"

#include <algorithm>
#include <random>
#include <vector>

namespace {
std::string GroupThousands(long value)
{
    const std::string digits = std::to_string(value < 0 ? -value : value);
    std::string grouped = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

// mt19937 is specified to the bit; std distributions are not, so draw by hand.
int Draw(std::mt19937& random, int low, int high)
{
    return low + static_cast<int>(random() % static_cast<std::uint32_t>(high - low + 1));
}
} // namespace

std::string ChargeLogLine(const CivilDate& date, int startSeconds, int connectSeconds, long yen,
                          const std::string& number)
{
    char line[128];
    std::snprintf(line, sizeof line, "%02d/%02d/%02d %02d:%02d:%02d  OUT%02d:%02d:%02d %8s %s\r\n",
                  TwoDigitYear(date.year) % 100, date.month, date.day, startSeconds / 3600,
                  startSeconds / 60 % 60, startSeconds % 60, connectSeconds / 3600 % 100,
                  connectSeconds / 60 % 60, connectSeconds % 60, GroupThousands(yen).c_str(),
                  number.c_str());
    return line;
}

namespace {
// A household's numbers and what a call to each costs: 10 yen per so many seconds begun.
struct Callee {
    const char* number;
    int secondsPer10Yen; // 0: free to the caller
};
constexpr Callee kCallees[] = {{"0312345678", 180}, {"0333219876", 180}, {"0356781234", 180},
                               {"0663219876", 45},  {"0527778888", 60},  {"0922223333", 40},
                               {"0120444555", 0},   {"0312340000", 180}};

// 0 for Sunday to 6 for Saturday (Sakamoto's method).
int WeekDay(const CivilDate& date)
{
    static const int kMonthOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const int y = date.year - (date.month < 3 ? 1 : 0);
    return (y + y / 4 - y / 100 + y / 400 + kMonthOffsets[date.month - 1] + date.day) % 7;
}

// How busy a day is: weekends busier, now and then a quiet day with no calls at all.
int DayWeight(std::mt19937& random, const CivilDate& date)
{
    if (Draw(random, 0, 11) == 0)
        return 0;
    const int weekday = WeekDay(date);
    const int base = weekday == 0 || weekday == 6 ? 14 : 8;
    return base + Draw(random, 0, 8);
}

// A call: mostly a few minutes, sometimes a long one.
int ConnectSeconds(std::mt19937& random)
{
    return Draw(random, 0, 9) == 0 ? Draw(random, 900, 3600) : Draw(random, 15, 480);
}
} // namespace

bool WriteChargeLog(std::FILE* out, const ChargeLogOptions& options)
{
    std::mt19937 random(options.seed);
    const int days = options.days > 0 ? options.days : 1;
    std::vector<std::int64_t> weightUpTo{0}; // weight of the days before each day
    for (int d = 0; d < days; ++d)
        weightUpTo.push_back(weightUpTo.back() + DayWeight(random, AddDays(options.lastDay, d - (days - 1))));
    const std::int64_t total = std::max<std::int64_t>(weightUpTo.back(), 1);
    for (int d = 0; d < days; ++d) {
        const CivilDate date = AddDays(options.lastDay, d - (days - 1));
        // Each day's share of the calls, so the days add up to exactly options.lines.
        const std::int64_t calls = (options.lines * weightUpTo[static_cast<std::size_t>(d) + 1]) / total
                                   - (options.lines * weightUpTo[static_cast<std::size_t>(d)]) / total;
        int start = Draw(random, 7 * 3600, 10 * 3600);
        for (std::int64_t c = 0; c < calls; ++c) {
            const Callee& callee = kCallees[Draw(random, 0, 7)];
            const int connect = ConnectSeconds(random);
            const long yen = callee.secondsPer10Yen == 0 ? 0 : 10L * ((connect + callee.secondsPer10Yen - 1) / callee.secondsPer10Yen);
            const std::string line = ChargeLogLine(date, start % 86400, connect, yen, callee.number);
            if (std::fwrite(line.data(), 1, line.size(), out) != line.size())
                return false;
            start += Draw(random, 60, 2400);
        }
    }
    return std::fflush(out) == 0;
}

bool WriteChargeLog(const std::string& path, const ChargeLogOptions& options)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = WriteChargeLog(out, options);
    return std::fclose(out) == 0 && written;
}
