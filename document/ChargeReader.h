#pragma once
// Tallies a range of the charge file into slot sums. A large range is cut at line feeds into parts
// tallied side by side on the machine's cores: a piece never spans a line feed, so every part
// starts at a piece of its own and the parts fold back into exactly the sequential result.

#include "document/ChargeFile.h"
#include "document/SlotClassifier.h"
#include "document/SlotTallies.h"

#include <string>

struct RangeResult {
    bool ok = true;
    std::string error; // the system's reason when !ok
};

// What a range holds, parted at its last line feed: the lines it completes, and the pieces of a
// line still being written after it (counted now, read again whole once it has its line feed).
struct RangeTallies {
    SlotTallies complete;
    SlotTallies unfinished;
    bool sawLineFeed = false;
    std::int64_t lineEnd = 0; // just after the last line feed, when there was one

    // This range followed by the next one.
    void Append(const RangeTallies& next);
};

// Tallies the pieces of bytes [begin, end), begin being the start of a line.
RangeResult TallyRange(const CChargeFile& file, std::int64_t begin, std::int64_t end,
                       const CSlotClassifier& classifier, RangeTallies& tallies);
