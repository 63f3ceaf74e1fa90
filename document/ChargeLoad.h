#pragma once
// One read of the charge file, apart from the document so that it can run on another thread: the
// document fills in what the read needs, Run reads (and stops soon after it is told to), and the
// document takes the outcome only once it is whole, so no half-loaded set is ever shown.

#include "document/ChargeFile.h"
#include "document/BillingCalendar.h"
#include "document/SlotTallies.h"
#include "document/TallySeries.h"

#include <memory>
#include <string>

// Where a load stopped (after its last final piece) and what it had read up to there, so that a
// log that only grew is read on from there.
struct ReadPoint {
    bool valid = false;
    std::int64_t offset = 0;
    FileIdentity identity;
    FileStamp stamp;
    // Bytes a read on checks first: blocks at places spread over [0, sampledSpan), chosen at the
    // last whole read and kept while the log only grows, and the block just before offset.
    std::int64_t sampledSpan = 0;
    std::string places;
    std::string tail;
    PeriodLabel newestDay{};
    int closingDay = 0;
    SlotTallies sums;
};

struct ChargeLoad {
    // What the read needs.
    std::uint64_t ticket = 0; // which of the document's loads this is
    std::string path;
    std::shared_ptr<std::FILE> opened; // set: read this file, opened when it was chosen
    std::string refusal;     // set: refused before reading, for this reason
    bool readOnWanted = false;
    bool readOnOnly = false; // a read from the start is declined (left to a thread of its own)
    ReadPoint previous;      // the read point of the last load
    CBillingCalendar calendar;

    // What it gives: figures, or the system's reason it failed.
    bool ok = false;
    bool stopped = false;
    bool declined = false;   // readOnOnly, and only a read from the start would do: nothing read
    std::string error;
    FileStamp stamp;
    bool readOn = false;     // it went on from previous rather than from the start
    std::int64_t start = 0;
    ReadPoint next;
    Tallies tallies;

    void Run(const ReadStop& stop = {});
};
