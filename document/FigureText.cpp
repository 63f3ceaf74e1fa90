#include "document/FigureText.h"

#include <cstdio>

// Carries by division, so a huge total takes no longer than a small one.
void SplitSeconds(Figure& hours, Figure& minutes, Figure& seconds)
{
    if (seconds >= 60) {
        minutes += seconds / 60;
        seconds %= 60;
    }
    if (minutes >= 60) {
        hours += minutes / 60;
        minutes %= 60;
    }
}

std::string FormatDuration(Figure total)
{
    // Negated as unsigned, so even the most negative total has a magnitude.
    const auto magnitude = total < 0 ? 0 - static_cast<std::uint64_t>(total) : static_cast<std::uint64_t>(total);
    char text[48];
    std::snprintf(text, sizeof text, "%s%llu:%02llu:%02llu", total < 0 ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 3600),
                  static_cast<unsigned long long>(magnitude / 60 % 60), static_cast<unsigned long long>(magnitude % 60));
    return text;
}

std::string YenText(Figure yen) { return std::to_string(yen) + " 円"; }

std::string CallsText(Figure calls) { return std::to_string(calls) + " 回"; }
