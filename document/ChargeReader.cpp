#include "document/ChargeReader.h"

#include "document/LineTally.h"
#include "platform/core/MappedRange.h"
#include "platform/core/ThreadBeside.h"

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
// What one part maps at a time: the system's tables for the mapping stay small whatever the file's size.
constexpr std::int64_t kMapWindowBytes = 64 << 20;
// What is read of a mapping before stop is looked at again and the pages read are given back:
// memory stays flat whatever the file's size.
constexpr std::int64_t kMapStepBytes = 4 << 20;
// Below this a mapping saves less than it costs to make: a small log, an append read on.
constexpr std::int64_t kMapMinimum = 1 << 20;

// Tallies the part from at on where the file lies mapped, a window and within it a step at a
// time, and moves at on. False when the part is to be read again another way: it could not be
// mapped, or turned out shorter than its stamp while mapped (result is set when stop said to stop).
bool TallyMapped(const CChargeFile& file, std::int64_t& at, std::int64_t end, CLineTally& lines,
                 RangeTallies& tallies, const ReadStop& stop, RangeResult& result)
{
    CMappedRange window;
    while (at < end) {
        const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(end - at, kMapWindowBytes));
        if (!window.Map(file.Descriptor(), at, wanted))
            return false;
        const bool windowAtEnd = static_cast<std::int64_t>(wanted) == end - at;
        std::size_t done = 0; // bytes of the window whose pieces were cut
        for (bool lastStep = false; !lastStep;) {
            if (stop && stop()) {
                result = {false, kStoppedText};
                return true;
            }
            const std::size_t step = std::min<std::size_t>(wanted - done, kMapStepBytes);
            lastStep = done + step == wanted;
            const bool atEnd = windowAtEnd && lastStep;
            std::size_t used = 0;
            std::size_t stepFinalEnd = 0;
            if (!ReadGuarded(window, [&] {
                    window.FaultIn(done, step);
                    used = CutPieces<true>(window.Data() + done, step, atEnd, lines, stepFinalEnd);
                }))
                return false;
            // Cut short within the page it now ends in, the file reads as NULs to that page's end
            // rather than faulting.
            if (file.Stamp().size < at + static_cast<std::int64_t>(done + step))
                return false;
            if (stepFinalEnd > 0)
                tallies.finalEnd = at + static_cast<std::int64_t>(done + stepFinalEnd);
            if (atEnd)
                return true;
            done += used;
            window.Release(done);
        }
        at += static_cast<std::int64_t>(done);
    }
    return true;
}

RangeResult TallyPart(const CChargeFile& file, std::int64_t begin, std::int64_t end, const CSlotClassifier& classifier,
                      RangeTallies& tallies, const ReadStop& stop)
{
    RangeResult result;
    std::optional<CLineTally> lines(std::in_place, classifier, tallies.complete, tallies.unfinished);
    tallies.finalEnd = begin;
    std::int64_t at = begin;
    const bool tried = end - begin >= kMapMinimum;
    const bool mapped = tried && TallyMapped(file, at, end, *lines, tallies, stop, result);
    if (tried && !mapped) { // what the mapped read tallied is dropped with it
        tallies = {};
        lines.emplace(classifier, tallies.complete, tallies.unfinished);
        tallies.finalEnd = at = begin;
    }
    if (!mapped)
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
    const std::size_t threads = std::min<std::size_t>(cores, partSums.size());
    std::vector<std::thread> workers;
    workers.reserve(threads - 1); // no room made while a thread is running, and no throw then
    for (std::size_t t = 1; t < threads; ++t)
        workers.push_back(StartThreadBeside(work));
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
