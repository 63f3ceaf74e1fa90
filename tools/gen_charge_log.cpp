// gen_charge_log [--today YYYY-MM-DD] [--days N] [--lines N] [--seed N] OUTPUT
// Writes a realistic charge log ending on the given day (default: today).

#include "tools/ChargeLogGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

int main(int argc, char** argv)
{
    ChargeLogOptions options;
    options.lastDay = LocalDate(std::time(nullptr));
    std::string output;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--today" && hasValue) {
            if (std::sscanf(argv[++i], "%d-%d-%d", &options.lastDay.year, &options.lastDay.month,
                            &options.lastDay.day) != 3) {
                std::fprintf(stderr, "gen_charge_log: --today takes YYYY-MM-DD\n");
                return 64;
            }
        } else if (arg == "--days" && hasValue) {
            options.days = std::atoi(argv[++i]);
        } else if (arg == "--lines" && hasValue) {
            options.lines = std::atoll(argv[++i]);
        } else if (arg == "--seed" && hasValue) {
            options.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (output.empty() && arg.rfind("--", 0) != 0) {
            output = arg;
        } else {
            output.clear();
            break;
        }
    }
    if (output.empty()) {
        std::fprintf(stderr, "usage: gen_charge_log [--today YYYY-MM-DD] [--days N] [--lines N] "
                             "[--seed N] OUTPUT\n");
        return 64;
    }
    if (!WriteChargeLog(output, options)) {
        std::perror(output.c_str());
        return 1;
    }
    return 0;
}
