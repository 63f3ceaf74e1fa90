#pragma once
// The lines of a run taken four at a time with 256-bit vectors, where the processor has them
// (AVX2): the line ends of a stretch are found 64 bytes at a time and listed first, then four
// lines at once are checked (length, date, fields) and their digits summed column by column, with
// one branch per four lines rather than several per line. Only lines of the common shape are
// taken: 40 to 63 bytes before the line feed (so neither a carriage return nor the line's end
// reaches a field), the run's date, and the fields as CommonFieldDigits reads them. It stops
// before any four holding another line, so the one-by-one way goes on from there and ends the
// run exactly where it ends.

#include "document/SlotTallies.h"

#include <cstddef>
#include <cstdint>

// Bytes taken from the start of data[0, size), whole lines with their line feeds, whose calls and
// sums are added to run (only the calls when counts is false); 0 on a processor without AVX2.
std::size_t TakeRunLinesWide(const char* data, std::size_t size, std::uint64_t runKey, bool counts, ChargeRun& run);

// Whether TakeRunLinesWide can take lines on this processor.
bool RunLinesWideAvailable();
