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

// Tallies the pieces of bytes [begin, end), begin being the start of a line.
RangeResult TallyRange(const CChargeFile& file, std::int64_t begin, std::int64_t end,
                       const CSlotClassifier& classifier, SlotTallies& sums);

// The offset just after the last line feed in [begin, end), or begin when there is none.
std::int64_t LastLineEnd(const CChargeFile& file, std::int64_t begin, std::int64_t end, RangeResult& result);
