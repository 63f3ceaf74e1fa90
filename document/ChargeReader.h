#pragma once
// Tallies a range of the charge file into slot sums. A large range is cut at line feeds into parts
// tallied side by side on the machine's cores: a piece never spans a line feed, so every part
// starts at a piece of its own and the parts fold back into exactly the sequential result. Each
// part is read where the file lies mapped, a window at a time, or with positioned reads where it
// cannot be mapped or is cut short meanwhile.

#include "document/ChargeFile.h"
#include "document/SlotClassifier.h"
#include "document/SlotTallies.h"

#include <string>

struct RangeResult {
    bool ok = true;
    std::string error; // the system's reason when !ok
};

// What a range holds, parted after its last final piece: the pieces no later byte can change,
// and the last piece or two of a line still being written (counted now, read again once decided).
struct RangeTallies {
    SlotTallies complete;
    SlotTallies unfinished;
    std::int64_t finalEnd = 0; // just after the last final piece: where a later read goes on

    // This range followed by the next one.
    void Append(const RangeTallies& next);
};

// Tallies the pieces of bytes [begin, end), begin being the start of a piece; stop is asked
// before each block read (by every part), so a read of any size ends soon after it says so.
RangeResult TallyRange(const CChargeFile& file, std::int64_t begin, std::int64_t end,
                       const CSlotClassifier& classifier, RangeTallies& tallies, const ReadStop& stop = {});
