#include "document/ChargeLoad.h"

#include "document/ChargeReader.h"
#include "document/SlotClassifier.h"

#include <algorithm>

namespace {
constexpr std::int64_t kSampleBytes = 64;
constexpr int kSampledPlaces = 8;

// The bytes [end - kSampleBytes, end), fewer near the start.
std::string BlockBefore(const CChargeFile& file, std::int64_t end)
{
    const std::int64_t from = std::max<std::int64_t>(0, end - kSampleBytes);
    std::string bytes(static_cast<std::size_t>(end - from), '\0');
    std::string ignored;
    const std::int64_t got = file.ReadAt(from, bytes.data(), bytes.size(), ignored);
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(got, 0)));
    return bytes;
}

// A block at each of a few places spread over [0, span), so the usual rewrites (a copy over the
// file, an edited early line) show at once. Whatever they miss, the minute's whole read finds.
std::string PlacesOf(const CChargeFile& file, std::int64_t span)
{
    std::string sample;
    for (int k = 0; k < kSampledPlaces; ++k)
        sample += BlockBefore(file, std::min(span, span * k / kSampledPlaces + kSampleBytes));
    return sample;
}

// Read on only from the same file, under the same labels, when it is untouched or has grown with
// the sampled bytes as they were. Appending always lengthens a file, so a change that kept the
// length was a rewrite.
bool CanReadOn(const ChargeLoad& load, const CChargeFile& file, const FileIdentity& identity)
{
    const ReadPoint& point = load.previous;
    const bool grownOrUntouched = load.stamp.size > point.stamp.size || load.stamp == point.stamp;
    return point.valid && point.identity == identity && grownOrUntouched
           && point.newestDay == load.calendar.Days()[CBillingCalendar::kTodaySlot]
           && point.closingDay == load.calendar.ClosingDay()
           && BlockBefore(file, point.offset) == point.tail && PlacesOf(file, point.sampledSpan) == point.places;
}
} // namespace

void ChargeLoad::Run(const ReadStop& stop)
{
    if (!refusal.empty()) {
        error = refusal;
        return;
    }
    CChargeFile file;
    if (opened)
        file.Adopt(opened);
    else if (!file.Open(path)) {
        error = file.ErrorText();
        return;
    }
    stamp = file.Stamp();
    const FileIdentity identity = file.Identity();
    const CSlotClassifier classifier(calendar);
    readOn = readOnWanted && CanReadOn(*this, file, identity);
    declined = readOnOnly && !readOn;
    if (declined)
        return;
    if (readOn)
        next.sums = previous.sums;
    start = readOn ? previous.offset : 0;
    RangeTallies read;
    const RangeResult result = TallyRange(file, start, stamp.size, classifier, read, stop);
    if (!result.ok) {
        stopped = result.error == kStoppedText;
        error = result.error;
        return;
    }
    // The undecided end of a line still being written counts now and is read again once decided;
    // everything before it is read once.
    next.offset = read.finalEnd;
    // A read on leaves the places as they were checked: only the bytes just before the new end are read.
    next.sampledSpan = readOn ? previous.sampledSpan : next.offset;
    next.places = readOn ? previous.places : PlacesOf(file, next.offset);
    next.tail = readOn && next.offset == previous.offset ? previous.tail : BlockBefore(file, next.offset);
    next.sums.Append(read.complete);
    SlotTallies shown = next.sums;
    shown.Append(read.unfinished);
    next.valid = true;
    next.identity = identity;
    next.stamp = stamp;
    next.newestDay = calendar.Days()[CBillingCalendar::kTodaySlot];
    next.closingDay = calendar.ClosingDay();
    tallies = FiguresOf(shown, calendar);
    ok = true;
}
