#pragma once
// Totals, averages, maxima and the forecast of the current billing month, worked out from the
// slot sums at the end of every successful load.

#include "document/BillingCalendar.h"
#include "document/TallySeries.h"

// The whole month's figure extrapolated from soFar over elapsed days of a month of monthDays.
Figure Forecast(Figure soFar, int elapsedDays, int monthDays);

void ComputeDerivedFigures(Tallies& tallies, const CBillingCalendar& calendar);
