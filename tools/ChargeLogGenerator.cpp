#include "tools/ChargeLogGenerator.h"

#include <random>

namespace {
std::string GroupThousands(long value)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return value < 0 ? "-" + digits : digits;
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

bool WriteChargeLog(std::FILE* out, const ChargeLogOptions& options)
{
    std::mt19937 random(options.seed);
    const int days = options.days > 0 ? options.days : 1;
    static const char* const kNumbers[] = {"0312345678", "0663219876", "0120444555", "0527778888",
                                           "0922223333", "0113334444", "0454445555", "0795556666"};
    for (int d = 0; d < days; ++d) {
        const CivilDate date = AddDays(options.lastDay, d - (days - 1));
        const std::int64_t calls = options.lines * (d + 1) / days - options.lines * d / days;
        int start = Draw(random, 6 * 3600, 9 * 3600);
        for (std::int64_t c = 0; c < calls; ++c) {
            const int connect = Draw(random, 5, 1800) * (Draw(random, 0, 20) == 0 ? 8 : 1);
            const long yen = 10L * (1 + connect / Draw(random, 60, 180));
            const std::string line = ChargeLogLine(date, start % 86400, connect, yen,
                                                   kNumbers[Draw(random, 0, 7)]);
            if (std::fwrite(line.data(), 1, line.size(), out) != line.size())
                return false;
            start += Draw(random, 1, 900);
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
