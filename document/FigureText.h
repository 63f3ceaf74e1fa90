#pragma once
// How figures read wherever they are shown: durations, yen and calls.

#include "document/TallySeries.h"

#include <string>

// Seconds into hours, minutes and seconds for the time texts. Callers set hours and minutes to 0
// and seconds to the total; hours are not limited to 23, and a negative total stays in seconds.
void SplitSeconds(Figure& hours, Figure& minutes, Figure& seconds);

// "H:MM:SS", with a minus sign before a negative duration ("-0:09:00", not "0:00:-540").
std::string FormatDuration(Figure total);

// "1234 円" and "12 回"; a table or panel adds its own trailing space.
std::string YenText(Figure yen);
std::string CallsText(Figure calls);
