#pragma once
// Seconds into hours, minutes and seconds for the time texts. Callers set hours and minutes to 0
// and seconds to the total; hours are not limited to 23, and a negative total stays in seconds.

#include "document/TallySeries.h"

void SplitSeconds(Figure& hours, Figure& minutes, Figure& seconds);
