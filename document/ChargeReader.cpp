#include "document/ChargeReader.h"

#include "document/LineTally.h"
#include "platform/core/MappedRange.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

namespace {
constexpr std::int64_t kPartMinimum = 8 << 20; // smaller ranges are not worth a part of their own
constexpr unsigned kMaxThreads = 8;
// How far a part's start is looked for: a file without line feeds is not read twice to find none.
constexpr std::int64_t kPartStartSearch = 1 << 20;
// What one part has mapped at a time: memory stays flat whatever the file's size.
constexpr std::int64_t kMapWindowBytes = 4 << 20;
// Below this a mapping saves less than it costs to make: a small log, an append read on.
constexpr std::int64_t kMapMinimum = 1 << 20;

// A mapped window that took a page fault for every this many bytes or fewer lies in small pages,
// which cost more to map than to copy: the rest of its part is read with positioned reads.
constexpr std::int64_t kSmallPageFaultBytes = 128 << 10;

// What is left after reading mapped: nothing, the whole part (it could not be mapped, or turned
// out shorter than its stamp while mapped), or the rest from where the mapped read stopped.
enum class MappedRead { Done, ReadAnew, ReadOn };

// Tallies the part from at on where the file lies mapped, window by window, and moves at on.
MappedRead TallyMapped(const CChargeFile& file, std::int64_t& at, std::int64_t end, CLineTally& lines,
                       RangeTallies& tallies, const ReadStop& stop, RangeResult& result)
{
    CMappedRange window;
    while (at < end) {
        if (stop && stop()) {
            result = {false, kStoppedText};
            return MappedRead::Done;
        }
        const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(end - at, kMapWindowBytes));
        if (!window.Map(file.Descriptor(), at, wanted))
            return MappedRead::ReadAnew;
        const bool atEnd = static_cast<std::int64_t>(wanted) == end - at;
        std::size_t used = 0;
        std::size_t windowFinalEnd = 0;
        const std::int64_t faults = ThreadPageFaults();
        if (!ReadGuarded(window, [&] { used = CutPieces<true>(window.Data(), wanted, atEnd, lines, windowFinalEnd); }))
            return MappedRead::ReadAnew;
        if (windowFinalEnd > 0)
            tallies.finalEnd = at + static_cast<std::int64_t>(windowFinalEnd);
        if (atEnd)
            break;
        at += static_cast<std::int64_t>(used);
        if ((ThreadPageFaults() - faults) * kSmallPageFaultBytes > static_cast<std::int64_t>(wanted))
            return MappedRead::ReadOn;
    }
    return MappedRead::Done;
}

RangeResult TallyPart(const CChargeFile& file, std::int64_t begin, std::int64_t end, const CSlotClassifier& classifier,
                      RangeTallies& tallies, const ReadStop& stop)
{
    RangeResult result;
    std::optional<CLineTally> lines(std::in_place, classifier, tallies.complete, tallies.unfinished);
    tallies.finalEnd = begin;
    std::int64_t at = begin;
    const MappedRead mapped = end - begin >= kMapMinimum ? TallyMapped(file, at, end, *lines, tallies, stop, result)
                                                        : MappedRead::ReadOn;
    if (mapped == MappedRead::ReadAnew) {
        tallies = {};
        lines.emplace(classifier, tallies.complete, tallies.unfinished);
        tallies.finalEnd = at = begin;
    }
    if (mapped != MappedRead::Done)
        result.ok = ForEachPiece<true>(file, at, end, *lines, result.error, tallies.finalEnd, kReadBlockBytes, stop);
    lines->EndRun();
    return result;
}

// Where a part may start: just after the first line feed at or after from (end when there is none
// within kPartStartSearch bytes, or when stop says so: the part before then goes on over it).
std::int64_t NextLineStart(const CChargeFile& file, std::int64_t from, std::int64_t end, const ReadStop& stop)
{
    std::vector<char> buffer(64 << 10);
    std::string ignored;
    const std::int64_t limit = std::min(end, from + kPartStartSearch);
    for (std::int64_t at = from; at < limit && !(stop && stop());) {
        const std::size_t wanted = static_cast<std::size_t>(std::min<std::int64_t>(limit - at, buffer.size()));
        const std::int64_t got = file.ReadAt(at, buffer.data(), wanted, ignored);
        if (got <= 0)
            return end;
        if (const void* lf = std::memchr(buffer.data(), '\n', static_cast<std::size_t>(got)))
            return at + (static_cast<const char*>(lf) - buffer.data()) + 1;
        at += got;
    }
    return end;
}
} // namespace

RangeResult TallyRange(const CChargeFile& file, std::int64_t begin, std::int64_t end,
                       const CSlotClassifier& classifier, RangeTallies& tallies, const ReadStop& stop)
{
    const std::int64_t length = end - begin;
    // Asking for the cores costs a file read: a short range (an append read on) needs only one.
    const unsigned cores = length < 2 * kPartMinimum ? 1 : std::max(1u, std::min(kMaxThreads, std::thread::hardware_concurrency()));
    // More parts than cores, taken in turn by whichever thread is free, each a share of what is
    // left, so they get smaller towards the end: a core taken by another program for a while, or
    // a stretch slower to read, leaves little for the other threads to wait on at the end.
    std::vector<std::int64_t> starts{begin};
    for (std::int64_t from = begin; cores > 1 && end - from > 2 * kPartMinimum && !(stop && stop());) {
        from += std::max((end - from) / (2 * cores), kPartMinimum);
        const std::int64_t start = NextLineStart(file, from, end, stop);
        if (start < end) // else no line starts near: the part before goes on over it
            starts.push_back(from = start);
    }
    starts.push_back(end);

    std::vector<RangeTallies> partSums(starts.size() - 1);
    std::vector<RangeResult> results(partSums.size());
    std::atomic<std::size_t> nextPart{0};
    const auto work = [&] {
        for (std::size_t k = nextPart++; k < partSums.size(); k = nextPart++)
            results[k] = TallyPart(file, starts[k], starts[k + 1], classifier, partSums[k], stop);
    };
    std::vector<std::thread> workers;
    for (std::size_t t = 1; t < std::min<std::size_t>(cores, partSums.size()); ++t)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();

    tallies.finalEnd = begin;
    for (std::size_t k = 0; k < partSums.size(); ++k) {
        if (!results[k].ok)
            return results[k];
        tallies.Append(partSums[k]);
    }
    return {};
}

// Every part but the last ends with a line feed, so only the last can leave pieces undecided.
void RangeTallies::Append(const RangeTallies& next)
{
    complete.Append(unfinished);
    complete.Append(next.complete);
    unfinished = next.unfinished;
    finalEnd = next.finalEnd;
}
